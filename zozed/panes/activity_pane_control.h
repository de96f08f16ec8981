// ActivityPaneControl: the COM side of an activity pane. An ActiveX control whose default
// interface is IActivityComponent; its window is the PaneWindow built from the host's dialog
// template when the container activates it.
#pragma once

#include <memory>

#include "host/activity_component.h"
#include "host/environment.h"
#include "platform/support/activex_control.h"
#include "platform/support/bstr.h"
#include "platform/wingdi.h"
#include "zozed/panes/pane_window.h"

namespace zozed {

// The text a pane draws when its container asks it to draw itself.
inline constexpr const char16_t* kPaneDrawText = u"ATL-QUARN Composite Control";

// Draws a pane's picture: its text centred in the window-text colour on a transparent background.
HRESULT draw_pane_picture(HDC dc, const RECT& bounds);

template <class Derived>
class ActivityPaneControl
    : public platform::ActiveXControl<Derived, platform::Chain<IActivityComponent, IDispatch>> {
 public:
  using Members = std::span<const platform::DispatchMember<Derived>>;

  STDMETHODIMP IsAvailable(VARIANT_BOOL* available) override {
    if (!available) return E_POINTER;
    *available = VARIANT_TRUE;
    return S_OK;
  }

  static Members dispatch_members() {
    static constexpr platform::DispatchMember<Derived> kMembers[] = {
        {1, u"ReceiveMessage", DISPATCH_METHOD, &ActivityPaneControl::invoke_receive_message},
        {2, u"IsAvailable", DISPATCH_METHOD | DISPATCH_PROPERTYGET, &ActivityPaneControl::invoke_is_available},
    };
    return kMembers;
  }

  PaneWindow& pane_window() noexcept { return *window_; }

 protected:
  // `window` is the pane's window object; `template_id` the host template it is built from.
  ActivityPaneControl(std::unique_ptr<PaneWindow> window, LONG template_id,
                      const CLSID* environment = &host::CLSID_ClientEnvironment)
      : window_(std::move(window)), template_id_(template_id), environment_(environment) {
    window_->on_destroyed = [this] { this->window_destroyed(); };
  }
  ~ActivityPaneControl() override {
    window_->on_destroyed = nullptr;
    window_->Destroy();
  }

  HWND CreateControlWindow(HWND parent, const RECT& pos) override {
    HWND window = window_->Create(parent, template_id_, environment_);
    if (window)
      SetWindowPos(window, nullptr, pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return window;
  }

  HRESULT OnDraw(HDC dc, const RECT& bounds) override { return draw_pane_picture(dc, bounds); }

 private:
  HRESULT invoke_receive_message(const platform::DispatchCall& call) {
    const platform::Bstr message(call.get_string(0));
    LONG handled = 0;
    const HRESULT hr =
        static_cast<Derived*>(this)->ReceiveMessage(message.get(), call.raw(1), call.raw(2), call.get_long(3), &handled);
    if (SUCCEEDED(hr)) call.set_result(handled);
    return hr;
  }

  HRESULT invoke_is_available(const platform::DispatchCall& call) {
    VARIANT_BOOL available = VARIANT_FALSE;
    const HRESULT hr = IsAvailable(&available);
    if (SUCCEEDED(hr)) call.set_result(available == VARIANT_TRUE);
    return hr;
  }

  std::unique_ptr<PaneWindow> window_;
  LONG template_id_;
  const CLSID* environment_;
};

}  // namespace zozed
