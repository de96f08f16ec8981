// SendMessage: the message handed to the user's mail program through the host's mail service,
// with the files attached or the pictures embedded in an HTML body.
#pragma once

#include "host/environment.h"
#include "host/mail_service.h"
#include "platform/oaidl.h"

namespace zozed::email {

// `paths` is a SAFEARRAY of BSTR (BuildAttachmentPaths, after any ANSI copies replaced entries).
// A failing mail service call is raised as ComError of IMailService, like any failing host call.
void SendMessage(IMailService& mail, IClientEnvironment& environment, LONG host_handle, VARIANT& paths,
                 bool embed);

}  // namespace zozed::email
