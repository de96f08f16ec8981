#include "zozed/toolkit/skinned_child.h"

#include "host/environment.h"
#include "host/skinned_controls.h"
#include "platform/support/bstr.h"
#include "platform/support/dispatch_driver.h"
#include "zozed/toolkit/ax_host_window.h"

namespace zozed::toolkit {

using platform::Variant;

SkinnedChild::SkinnedChild(HWND parent, int id) : window_(GetDlgItem(parent, id)) {
  if (!window_) return;
  if (auto control = ax_window_control(window_)) (void)control->QueryInterface(IID_IDispatch, control_.put_void());
}

namespace {

void put(IDispatch* control, DISPID id, const Variant& value) {
  if (control) platform::put_property(control, id, *value.get());
}

}  // namespace

void SkinnedChild::set_text(std::u16string_view text) { put(control_.get(), host::kSkinText, Variant(text)); }
void SkinnedChild::set_tooltip(std::u16string_view text) { put(control_.get(), host::kSkinToolTip, Variant(text)); }
void SkinnedChild::set_state(LONG state) { put(control_.get(), host::kSkinState, Variant(state)); }
void SkinnedChild::set_default_button(bool is_default) {
  put(control_.get(), host::kSkinDefaultButton, Variant(is_default));
}
void SkinnedChild::set_image(std::u16string_view name) { put(control_.get(), host::kSkinImage, Variant(name)); }
void SkinnedChild::set_enabled(bool enabled) {
  put(control_.get(), host::kSkinEnabled, Variant(enabled));
  if (window_) EnableWindow(window_, enabled ? TRUE : FALSE);
}
void SkinnedChild::set_visible(bool visible) { put(control_.get(), host::kSkinVisible, Variant(visible)); }

LONG SkinnedChild::state() const {
  if (!control_) return 0;
  const Variant value = platform::get_property(control_.get(), host::kSkinState);
  return value.as_long().value_or(0);
}

std::u16string host_text(IClientEnvironment& environment, LONG id) {
  platform::Bstr text;
  platform::check<IClientEnvironment>(environment.GetHostString(id, text.put()));
  return std::u16string(text.view());
}

}  // namespace zozed::toolkit
