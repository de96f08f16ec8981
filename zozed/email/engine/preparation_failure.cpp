#include "zozed/email/engine/preparation_failure.h"

#include "host/message_service.h"
#include "zozed/email/engine/host_message.h"

namespace zozed::email {

void ReportPreparationFailure(IClientEnvironment& environment, HWND parent) {
  (void)ShowHostMessage(environment, parent, kPreparationFailedText, kPreparationFailedDetail, host::kButtonsOk);
}

}  // namespace zozed::email
