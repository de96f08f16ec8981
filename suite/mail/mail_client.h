// Which mail program the suite's mail service speaks for: one named in the suite's settings, the
// desktop's default mail program, or else the suite's own outbox.
#pragma once

#include <optional>
#include <string>

namespace suite::mail {

struct MailClient {
  std::u16string name;   // display name; empty: no mail program
  std::string desktop_id;  // e.g. "thunderbird.desktop" when the desktop has one
  bool can_embed = true;
};

// The suite's own outbox, used when the desktop names no mail program.
inline constexpr char16_t kOutboxClientName[] = u"zozed Outbox";

// `configured_name`: the settings' choice (an empty string means no mail program at all).
MailClient detect_mail_client(const std::optional<std::u16string>& configured_name, bool can_embed);

// The display name of a desktop entry ("Name=" of its .desktop file), or empty.
std::string desktop_entry_name(const std::string& desktop_id);

}  // namespace suite::mail
