// DetectMailClient: which mail program the host's mail service speaks for, and whether it can take
// pictures embedded in an HTML body.
#pragma once

#include <string>

#include "host/environment.h"
#include "host/mail_service.h"

namespace zozed::email {

// Shown as the client's name when the host has no mail program.
inline constexpr LONG kNoMailClientName = 62308;

struct MailClientState {
  std::u16string name;  // as the host gives it, or host string 62308 when there is none
  bool no_mail_client = false;
  bool can_embed = false;
};

// Only a client named Outlook can embed: one that is also named Express always can, any other is
// asked. Raises ComError on a failing host call.
MailClientState DetectMailClient(IMailService& mail, IClientEnvironment& environment);

}  // namespace zozed::email
