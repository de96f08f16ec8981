// The module's activity panes as COM objects, one C++ type per CLSID from one template: they
// answer IActivityComponent (early and late bound) and take no pane message yet.
#pragma once

#include "host/activity_component.h"
#include "platform/support/bstr.h"
#include "platform/support/dispatch_object.h"

namespace zozed {

template <const CLSID& Clsid>
class PaneComponent final
    : public platform::DispatchObject<PaneComponent<Clsid>, platform::Chain<IActivityComponent, IDispatch>> {
 public:
  using Members = std::span<const platform::DispatchMember<PaneComponent>>;

  STDMETHODIMP ReceiveMessage(BSTR, VARIANT, VARIANT, LONG, LONG* handled) override {
    if (!handled) return E_POINTER;
    *handled = 0;
    return S_OK;
  }

  STDMETHODIMP IsAvailable(VARIANT_BOOL* available) override {
    if (!available) return E_POINTER;
    *available = VARIANT_TRUE;
    return S_OK;
  }

  static Members dispatch_members() {
    static constexpr platform::DispatchMember<PaneComponent> kMembers[] = {
        {1, u"ReceiveMessage", DISPATCH_METHOD, &PaneComponent::invoke_receive_message},
        {2, u"IsAvailable", DISPATCH_METHOD | DISPATCH_PROPERTYGET, &PaneComponent::invoke_is_available},
    };
    return kMembers;
  }

 private:
  HRESULT invoke_receive_message(const platform::DispatchCall& call) {
    const platform::Bstr message(call.get_string(0));
    LONG handled = 0;
    const HRESULT hr = ReceiveMessage(message.get(), call.raw(1), call.raw(2), call.get_long(3), &handled);
    if (SUCCEEDED(hr)) call.set_result(handled);
    return hr;
  }

  HRESULT invoke_is_available(const platform::DispatchCall& call) {
    VARIANT_BOOL available = VARIANT_FALSE;
    const HRESULT hr = IsAvailable(&available);
    if (SUCCEEDED(hr)) call.set_result(available == VARIANT_TRUE);
    return hr;
  }
};

}  // namespace zozed
