#include "suite/host/host_strings.h"

#include <algorithm>
#include <array>

namespace suite {
namespace {

constexpr std::array kStrings{
    HostString{7019, u"Share"},
    HostString{7022, u"Save"},
    HostString{7120, u"Share your pictures and creations with others"},
    HostString{7121, u"Save the current item under a new name, in a new folder or in another format"},
    HostString{61449, u"Share"},
    HostString{61514, u"Save"},
    HostString{61516, u"Save As"},
    HostString{61668, u"Send"},
    HostString{61669, u"E-mail"},
    HostString{61690, u"Your items were saved for sending later."},
    HostString{61713, u"You will find them in this folder:"},
    HostString{61765, u"E-mail Pictures"},
    HostString{61803, u"Export"},
    HostString{61812, u"Shared items"},
    HostString{61851, u"Send anyway"},
    HostString{61852, u"Cancel"},
    HostString{61884, u"Archive"},
    HostString{61887, u"Items Saved"},
    HostString{61937, u"Save"},
    HostString{62159, u"Pictures to E-mail"},
    HostString{62228, u"Share by E-mail"},
    HostString{62251, u"E-mail finished"},
    HostString{62274, u"Send your pictures and creations by e-mail"},
    HostString{62278, u"How do you want to send your items?"},
    HostString{62279, u"Send now with my e-mail program"},
    HostString{62280, u"Save the items to send them later"},
    HostString{62284, u": the items were handed to your e-mail program."},
    HostString{62285, u": the items were saved in a folder for sending later."},
    HostString{62286, u"Do not warn me about the size again"},
    HostString{62287, u"The attachments are larger than you wanted to send at once."},
    HostString{62288, u"Large attachments"},
    HostString{62308, u"(no e-mail program)"},
    HostString{62418, u"Shared Pictures"},
    HostString{62471, u"Back"},
    HostString{62472, u"Done"},
    HostString{62473, u"Leave"},
    HostString{62553, u"Items to send"},
    HostString{62557, u"Show the photos in the message itself"},
    HostString{62570, u"Pictures"},
    HostString{62571, u"I am sending you these pictures."},
    HostString{62576, u"There is no e-mail program to send with."},
    HostString{62577, u"Set up an e-mail program on this computer, or save the items to send them later."},
    HostString{62578, u"Some of the items could not be prepared or copied."},
    HostString{62579, u"They were left out; the others went on as usual."},
    HostString{62582, u"You can make the photos smaller in the e-mail options."},
    HostString{62583, u"Some mail servers refuse large messages."},
    HostString{62585, u"Size of the attachments: %d KB"},
    HostString{62586, u"Your limit: %d KB"},
    HostString{62596, u"Some file names cannot be handed to your e-mail program as they are."},
    HostString{62597, u"Copies of these files will be attached under plain names. Continue?"},
    HostString{62598, u"Some file names cannot be handed to your e-mail program."},
    HostString{62599, u"Neither these names nor the temporary folder can be written in the system's code page. "
                      u"Rename the files and try again."},
    HostString{62600, u"Picture"},
    HostString{62602, u"Pictures for E-mail"},
};

constexpr bool sorted_and_unique() {
  for (std::size_t i = 1; i < kStrings.size(); ++i)
    if (kStrings[i - 1].id >= kStrings[i].id) return false;
  return true;
}
static_assert(sorted_and_unique(), "host strings are looked up by binary search");

}  // namespace

std::span<const HostString> host_strings() noexcept { return kStrings; }

std::optional<std::u16string_view> find_host_string(LONG id) noexcept {
  const auto it = std::lower_bound(kStrings.begin(), kStrings.end(), id,
                                   [](const HostString& s, LONG wanted) { return s.id < wanted; });
  if (it == kStrings.end() || it->id != id) return std::nullopt;
  return it->text;
}

}  // namespace suite
