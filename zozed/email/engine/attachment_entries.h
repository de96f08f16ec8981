// The host's attachment resolver driven over a list of items: for each item the file that stands
// for it, with the rotation it needs.
#pragma once

#include <string>
#include <vector>

#include "zozed/email/engine/item_list.h"

namespace zozed::email {

struct AttachmentEntry {
  std::u16string source_path;
  std::u16string file_path;
  LONG rotation = 0;
};

// Gives the resolver the items' paths and orientations and collects its entries until it
// reports none left or yields an empty file path. Raises ComError on a failing host call.
std::vector<AttachmentEntry> ResolveAttachments(const ItemList& items);

}  // namespace zozed::email
