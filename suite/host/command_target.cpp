// The host's command target: takes every command a component re-issues to the host and
// records it (the host's own handling of those commands is not part of the suite yet).
#include "host/sub_manager.h"
#include "platform/oleauto.h"
#include "platform/support/com_object.h"
#include "suite/host/suite_objects.h"
#include "suite/host/variant_text.h"

namespace suite {
namespace {

std::u16string text_of(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

class HostCommandTarget final : public platform::ComObject<HostCommandTarget, ICommandTarget> {
 public:
  explicit HostCommandTarget(std::shared_ptr<SuiteState> state) : state_(std::move(state)) {}

  STDMETHODIMP ExecCommand(BSTR command_id, VARIANT first, VARIANT second, VARIANT third, LONG* handled) override {
    if (!handled) return E_POINTER;
    *handled = 0;
    return platform::com_boundary([&] {
      state_->commands.push_back(IssuedCommand{
          u"ExecCommand", text_of(command_id), {describe_variant(first), describe_variant(second), describe_variant(third)}});
      *handled = 1;
      return S_OK;
    });
  }

  STDMETHODIMP UpdateCommand(BSTR command_id, VARIANT context, LONG* state) override {
    if (!state) return E_POINTER;
    *state = 0;
    return platform::com_boundary([&] {
      state_->commands.push_back(IssuedCommand{u"UpdateCommand", text_of(command_id), {describe_variant(context)}});
      return S_OK;
    });
  }

 private:
  std::shared_ptr<SuiteState> state_;
};

}  // namespace

HRESULT create_command_target(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<HostCommandTarget>(riid, ppv, state);
}

}  // namespace suite
