// A pair of host strings shown to the user through the host's message service.
#pragma once

#include "host/environment.h"
#include "platform/windef.h"

namespace zozed::email {

// Shows host strings `text_id` and `detail_id` over `owner` with button flags `buttons`; answers
// the button pressed. Raises ComError on a failing host call.
LONG ShowHostMessage(IClientEnvironment& environment, HWND owner, LONG text_id, LONG detail_id, LONG buttons);

}  // namespace zozed::email
