// The child window behind every host control: one window class whose procedure hands clicks,
// keys, painting and destruction to the control that owns the window, and the user-level
// actions and read-back that tests and the command line use on a control by its window.
#pragma once

#include <optional>
#include <string>

#include "platform/winuser.h"

namespace suite::controls {

// Implemented by each control object; the window keeps a plain pointer to it, which the
// control clears by destroying its window before it goes.
class WindowOwner {
 public:
  virtual void on_click() = 0;
  virtual void on_key(WPARAM key) { (void)key; }
  virtual void on_context_menu(POINT screen) { (void)screen; }
  virtual void on_paint(HDC dc, const RECT& client) = 0;
  virtual void on_window_destroyed() = 0;

  // User-level actions a headless user performs where a real one would type or pick; false
  // when the control has no such action or cannot take it now (hidden, disabled).
  virtual bool user_type(std::u16string_view text) { (void)text; return false; }
  virtual bool user_choose(LONG index) { (void)index; return false; }
  virtual bool user_choose_folder(std::u16string_view folder) { (void)folder; return false; }
  // One line describing the control's state, for read-back.
  virtual std::u16string describe() const = 0;

 protected:
  ~WindowOwner() = default;
};

// Creates the window of `owner` (WS_CHILD plus `style`); null on failure.
HWND create_control_window(WindowOwner* owner, HWND parent, const RECT& rect, UINT id, DWORD style);
// The control id a control shows under: its window's, or, when that has none, the id of the
// control-host window it sits in.
int control_id(HWND window);
// The owner of a control window, or null for any other window.
WindowOwner* window_owner(HWND window);

// Read-back and user actions by window; nullopt / false for a window that is no host control.
std::optional<std::u16string> describe_control(HWND window);
bool type_into(HWND window, std::u16string_view text);
bool choose_entry(HWND window, LONG index);
bool choose_folder(HWND window, std::u16string_view folder);

}  // namespace suite::controls
