// SkinnedChild: one of the host's skinned controls inside a pane or dialog, driven by its
// automation members (text, state, tooltip, default button, image, enabled, visible).
#pragma once

#include <string>
#include <string_view>

#include "host/environment.h"
#include "platform/oaidl.h"
#include "platform/support/com_ptr.h"
#include "platform/winuser.h"

namespace zozed::toolkit {

class SkinnedChild {
 public:
  // Control `id` of `parent`; empty when there is no such child or it hosts no automation control.
  SkinnedChild(HWND parent, int id);

  explicit operator bool() const noexcept { return static_cast<bool>(control_); }
  HWND window() const noexcept { return window_; }
  IDispatch* dispatch() const noexcept { return control_.get(); }

  // Each raises ComError when the control refuses; an empty child ignores writes and reads 0.
  void set_text(std::u16string_view text);
  void set_tooltip(std::u16string_view text);
  void set_state(LONG state);
  LONG state() const;
  void set_default_button(bool is_default);
  void set_image(std::u16string_view name);
  void set_enabled(bool enabled);
  void set_visible(bool visible);

 private:
  HWND window_ = nullptr;
  platform::ComPtr<IDispatch> control_;
};

// Host string `id` through the environment; raises ComError when the host has none.
std::u16string host_text(IClientEnvironment& environment, LONG id);

}  // namespace zozed::toolkit
