// PrepareDocumentItems: items open as documents in the host (slide shows and the like) saved to
// temporary files when they are unsaved, changed, in the suite's own format or off the local disk.
#pragma once

#include "platform/oaidl.h"

namespace zozed::email {

// `items` is rewritten; an item whose copy cannot be saved is left out and the result is false.
bool PrepareDocumentItems(VARIANT& items);

}  // namespace zozed::email
