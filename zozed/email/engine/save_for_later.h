// Save for later sending: the attachment files copied into the dated folder, each under its own
// name or a free variant of it, turned by the rotation the host's resolver gives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "zozed/email/engine/item_list.h"

namespace zozed::email {

struct SavedForLater {
  std::vector<std::u16string> written;  // the copies made, in order
  bool complete = true;                 // false when a copy failed (the others were still tried)
};

// `folder` is the dated folder, without a trailing separator. Raises ComError on a failing host call.
SavedForLater SaveItemsForLater(const ItemList& attachments, std::u16string_view folder);

}  // namespace zozed::email
