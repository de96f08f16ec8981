// SkinnedWindow: the base of the module's skinned windows (panes, dialog frames). It reads its
// values from the host's skin under its skin key, paints the skinned background, and calls
// the skin-load and layout virtuals of the window built on it.
#pragma once

#include <string>

#include "platform/windef.h"
#include "platform/winuser.h"

namespace zozed::toolkit {

class SkinnedWindow {
 public:
  explicit SkinnedWindow(std::u16string skin_key);
  virtual ~SkinnedWindow() = default;
  SkinnedWindow(const SkinnedWindow&) = delete;
  SkinnedWindow& operator=(const SkinnedWindow&) = delete;

  HWND hwnd() const noexcept { return hwnd_; }
  const std::u16string& skin_key() const noexcept { return skin_key_; }
  COLORREF background() const noexcept { return background_; }

  // Reads the skin again (a skin change) and lays the window out.
  void reload_skin();

 protected:
  // Reads the base values (the background colour); windows add theirs after calling it.
  virtual void OnSkinLoad();
  // Places the children; called after initialisation and on every size change.
  virtual void OnLayout() {}

  void attach_window(HWND hwnd) noexcept { hwnd_ = hwnd; }
  void detach_window() noexcept { hwnd_ = nullptr; }

  // The messages the skin answers for every window (background, size changes); true with
  // `result` set when it took the message.
  bool handle_skin_message(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result);

 private:
  std::u16string skin_key_;
  HWND hwnd_ = nullptr;
  COLORREF background_;
};

}  // namespace zozed::toolkit
