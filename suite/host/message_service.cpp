// The message service: records each message and has the suite's answerer (the user at the
// terminal, or a test's script) press a button.
#include <algorithm>
#include <array>

#include "host/message_service.h"
#include "platform/support/dispatch_object.h"
#include "suite/host/suite_objects.h"

namespace suite {
namespace {

using platform::DispatchCall;
using platform::DispatchMember;

std::u16string text_of(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

class MessageService final : public platform::DispatchObject<MessageService, platform::Chain<IMessageService, IDispatch>> {
 public:
  explicit MessageService(std::shared_ptr<SuiteState> state) : state_(std::move(state)) {}

  STDMETHODIMP ShowMessage(HWND, BSTR text, BSTR caption, BSTR further, LONG buttons, LONG* answer) override {
    if (!answer) return E_POINTER;
    *answer = 0;
    return platform::com_boundary([&] { return ask(MessageRequest{text_of(text), text_of(caption), text_of(further), buttons}, answer); });
  }

  static std::span<const DispatchMember<MessageService>> dispatch_members() {
    static constexpr std::array<DispatchMember<MessageService>, 1> kMembers{{
        {1, u"ShowMessage", DISPATCH_METHOD, &MessageService::dispatch_show_message},
    }};
    return kMembers;
  }

 private:
  HRESULT ask(MessageRequest request, LONG* answer) {
    // The module names no file in its messages; the suite tells what it knows of each failure.
    // A file read for its facts and then for its pixels fails twice the same way: told once.
    const auto& errors = state_->media_errors;
    for (std::size_t i = std::min(state_->media_errors_told, errors.size()); i < errors.size(); ++i)
      if (std::find(request.details.begin(), request.details.end(), errors[i]) == request.details.end())
        request.details.push_back(errors[i]);
    state_->media_errors_told = errors.size();
    state_->messages.push_back(request);
    const MessageAnswerer& answerer = state_->settings.answerer;
    *answer = answerer ? answerer(request) : default_answer(request);
    return S_OK;
  }

  // ShowMessage(text, caption, further, buttons) for automation callers, without an owner.
  HRESULT dispatch_show_message(const DispatchCall& call) {
    MessageRequest request{call.get_string(0), call.has(1) ? call.get_string(1) : std::u16string(),
                           call.has(2) ? call.get_string(2) : std::u16string(), call.has(3) ? call.get_long(3) : 0};
    LONG answer = 0;
    const HRESULT hr = ask(std::move(request), &answer);
    if (SUCCEEDED(hr)) call.set_result(answer);
    return hr;
  }

  std::shared_ptr<SuiteState> state_;
};

}  // namespace

HRESULT create_message_service(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<MessageService>(riid, ppv, state);
}

}  // namespace suite
