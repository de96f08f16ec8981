// Which mail program the suite's mail service speaks for: one named in the suite's settings, the
// desktop's handler of mailto: links when it can be given files, or else the suite's own outbox.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "suite/mail/compose_command.h"

namespace suite::mail {

// The desktop's handler of mailto: links, as GIO finds it.
struct MailtoHandler {
  std::string desktop_id;         // "thunderbird.desktop"
  std::string name;               // its display name, "Thunderbird"
  std::vector<std::string> exec;  // its Exec line split into arguments, field codes kept
};

// Nothing when the desktop names no handler (or its desktop entry is gone).
std::optional<MailtoHandler> default_mailto_handler();

struct MailClient {
  std::u16string name;      // display name the components are told; empty: no mail program
  bool can_embed = true;
  // The handler messages are handed to in a compose window; compose style none: not handed over.
  MailtoHandler handler;
  ComposeStyle style = ComposeStyle::none;
  // The desktop's handler when it cannot be given files (a web browser), for saying why the
  // message stays in the outbox.
  std::string unusable_handler;
};

// The suite's own outbox, used when the desktop has no mail program that can take files.
inline constexpr char16_t kOutboxClientName[] = u"zozed Outbox";

// `configured_name`: the settings' choice (an empty string means no mail program at all); a
// configured program has no desktop handler behind it.
MailClient detect_mail_client(const std::optional<std::u16string>& configured_name, bool can_embed);

}  // namespace suite::mail
