// GatherAttachmentFiles: every selected item turned into an attachable file item, in the order
// of the selection; files off the local fixed disks are copied into the temporary folder.
#pragma once

#include "platform/oaidl.h"

namespace zozed::email {

// `items` is rewritten with the gathered list. False when a copy failed (that item is left out).
bool GatherAttachmentFiles(VARIANT& items);

}  // namespace zozed::email
