// What the send step needs of the attachment list: the size total the warning compares, and
// the files' paths as the host's mail service takes them.
#pragma once

#include "platform/oaidl.h"
#include "zozed/email/engine/item_list.h"

namespace zozed::email {

// Kilobytes of the attached files: their total size ÷ 1024, plus 1, truncated to 32 bits. Each
// file is opened by its ANSI name without sharing; one that cannot be opened counts 0 bytes.
LONG AttachmentTotalKB(const ItemList& attachments);

// The items' files in plain form, in order, as a SAFEARRAY of BSTR in `paths` (cleared first).
void BuildAttachmentPaths(const ItemList& attachments, VARIANT& paths);

}  // namespace zozed::email
