// ReportPreparationFailure: tells the user that some items could not be prepared for mail.
#pragma once

#include "host/environment.h"
#include "platform/windef.h"

namespace zozed::email {

inline constexpr LONG kPreparationFailedText = 62578;
inline constexpr LONG kPreparationFailedDetail = 62579;

// Through the host's message service, with an OK button. Raises ComError on a failing host call.
void ReportPreparationFailure(IClientEnvironment& environment, HWND parent);

}  // namespace zozed::email
