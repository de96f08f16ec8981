#include "suite/host/suite_state.h"

#include "host/message_service.h"

namespace suite {

LONG default_answer(const MessageRequest& request) noexcept {
  switch (request.buttons & 0xF) {
    case host::kButtonsYesNo:
    case host::kButtonsYesNoCancel:
      return host::kAnswerYes;
    default:
      return host::kAnswerOk;
  }
}

std::vector<std::u16string> default_catalogue_roots() {
  return {u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\Std\\Client", u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\StdPlus\\Client",
          u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\Pro\\Client"};
}

}  // namespace suite
