// The headless user interface as a test or the command line sees it: the clock timers run on,
// the driver that plays the user in modal loops, user input, and read-back of what the windows
// did (live windows, repaint requests, drawing, beeps, cursors) and clipboard failure injection.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wingdi.h"
#include "platform/winuser.h"

namespace platform::ui {

// ---- Clock --------------------------------------------------------------------------------
// Milliseconds on the platform clock (what timers, GetMessageTime and TIMERPROC see).
DWORD clock_ms();
// A virtual clock moves only when advanced, or when a message loop is idle with a timer
// pending: it then jumps to that timer's due time, so a 250 ms poll runs without waiting.
void use_virtual_clock(bool virtual_clock);
bool virtual_clock_in_use();
void advance_virtual_clock(DWORD milliseconds);

// Makes the clock virtual for a scope and restores the previous mode afterwards.
class ScopedVirtualClock {
 public:
  ScopedVirtualClock();
  ~ScopedVirtualClock();
  ScopedVirtualClock(const ScopedVirtualClock&) = delete;
  ScopedVirtualClock& operator=(const ScopedVirtualClock&) = delete;

 private:
  bool previous_;
};

// ---- Driver -------------------------------------------------------------------------------
// Told of windows being created (HCBT_CREATEWND, before WM_NCCREATE), activated (HCBT_ACTIVATE)
// and destroyed (HCBT_DESTROYWND), through a WH_CBT hook on the installing thread.
using CbtHandler = std::function<void(int code, HWND window)>;
// Called on the user-interface thread when a message loop has nothing to retrieve; `waiting`
// is the modal dialog whose loop waits, or null for GetMessageW. It may post input, call
// EndDialog or do nothing; a loop whose idle call leaves nothing to do and no timer pending
// fails instead of waiting.
using IdleHandler = std::function<void(HWND waiting)>;

// Installs a driver on the calling thread for its lifetime (drivers nest; the innermost acts).
class ScopedDriver {
 public:
  explicit ScopedDriver(IdleHandler idle, CbtHandler cbt = {});
  ~ScopedDriver();
  ScopedDriver(const ScopedDriver&) = delete;
  ScopedDriver& operator=(const ScopedDriver&) = delete;

};

// The reason the calling thread's last message wait failed (also written to stderr), or empty.
std::string last_wait_failure();

// ---- User input ---------------------------------------------------------------------------
// Posts what a user's click on the centre of `window` produces (WM_LBUTTONDOWN, WM_LBUTTONUP in
// client coordinates). False, posting nothing, when the user could not click it: the window or
// an ancestor is hidden or disabled (a modal dialog disables its owner).
[[nodiscard]] bool click(HWND window);
// Posts WM_KEYDOWN and WM_KEYUP of a virtual key to the focus window; false without one.
[[nodiscard]] bool press_key(WPARAM virtual_key);

// ---- Read-back ----------------------------------------------------------------------------
// Windows alive in the process, on every thread.
std::size_t live_window_count();
// Whether `window` is a dialog created by the dialog manager.
bool is_dialog(HWND window);
// Flags of every RedrawWindow call on `window`, in order.
std::vector<UINT> redraw_requests(HWND window);

struct DrawOperation {
  enum class Kind { fill_rect, draw_text };
  Kind kind;
  RECT rect;             // the rectangle given
  COLORREF color;        // fill colour, or text colour for text
  std::u16string text;   // draw_text only
  UINT format;           // DT_* flags, draw_text only
  int background_mode;   // TRANSPARENT or OPAQUE, draw_text only
  RECT text_bounds;      // where the text landed, draw_text only
};
// What was drawn on `window` through its device contexts (BeginPaint, GetDC), in order.
std::vector<DrawOperation> drawing_of(HWND window);
void clear_drawing(HWND window);

// A device context that belongs to no window, as a container hands a control for drawing.
class RecordingDc {
 public:
  RecordingDc();
  ~RecordingDc();
  RecordingDc(const RecordingDc&) = delete;
  RecordingDc& operator=(const RecordingDc&) = delete;
  HDC hdc() const { return hdc_; }
  std::vector<DrawOperation> operations() const;

 private:
  HDC hdc_;
};

// Headless text metrics: every character is 8 x 16 pixels.
inline constexpr int char_width = 8;
inline constexpr int line_height = 16;

// MessageBeep calls in order (their uType), and forgetting them.
std::vector<UINT> beeps();
void clear_beeps();

// ---- Cursors ------------------------------------------------------------------------------
// A cursor handle the host makes for its own cursors (LoadCursorW gives only the predefined
// ones); `name` identifies it in read-back. Valid until the process ends.
HCURSOR create_cursor(std::u16string_view name);
// "IDC_WAIT", "IDC_ARROW"... for predefined cursors, the given name for created ones.
std::u16string cursor_name(HCURSOR cursor);
// Every cursor SetCursor installed, in order, and forgetting them.
std::vector<HCURSOR> cursor_history();
void clear_cursor_history();

// ---- Clipboard ----------------------------------------------------------------------------
enum class ClipboardCall { open, empty, set_data, get_data, close };
// The next `times` calls of `call` fail with `error` (set as the last error) and change nothing.
void fail_clipboard(ClipboardCall call, DWORD error, int times = 1);
// Ends pending failures, closes and empties the clipboard.
void reset_clipboard();

}  // namespace platform::ui
