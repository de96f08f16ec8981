// What the pane stack answers as the current pane: the host's view of the shown pane, through
// which the messages sent to it are recorded on their way.
#include <span>

#include "platform/support/dispatch_object.h"
#include "suite/host/suite_objects.h"
#include "suite/host/variant_text.h"

namespace suite {
namespace {

class PaneProxy final : public platform::DispatchObject<PaneProxy, platform::Chain<IActivityComponent, IDispatch>> {
 public:
  PaneProxy(std::shared_ptr<SuiteState> state, IActivityComponent* pane, std::u16string clsid)
      : state_(std::move(state)), pane_(platform::ComPtr<IActivityComponent>::borrow(pane)), clsid_(std::move(clsid)) {}

  STDMETHODIMP ReceiveMessage(BSTR message_id, VARIANT first, VARIANT second, LONG flags, LONG* handled) override {
    return platform::com_boundary([&] {
      state_->pane_messages.push_back(PaneMessage{clsid_, message_id ? std::u16string(message_id, SysStringLen(message_id)) : u"",
                                                  describe_variant(first), describe_variant(second), flags, 0, S_OK});
      const std::size_t at = state_->pane_messages.size() - 1;
      const HRESULT hr = pane_->ReceiveMessage(message_id, first, second, flags, handled);
      state_->pane_messages[at].result = hr;
      if (handled) state_->pane_messages[at].handled = *handled;
      return hr;
    });
  }

  STDMETHODIMP IsAvailable(VARIANT_BOOL* available) override { return pane_->IsAvailable(available); }

  static std::span<const platform::DispatchMember<PaneProxy>> dispatch_members() { return {}; }

 private:
  std::shared_ptr<SuiteState> state_;
  platform::ComPtr<IActivityComponent> pane_;
  std::u16string clsid_;
};

}  // namespace

HRESULT create_pane_proxy(const std::shared_ptr<SuiteState>& state, IActivityComponent* pane, std::u16string clsid,
                          IDispatch** proxy) {
  return platform::create_com<PaneProxy>(IID_IDispatch, reinterpret_cast<void**>(proxy), state, pane, std::move(clsid));
}

}  // namespace suite
