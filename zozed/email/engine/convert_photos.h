// ConvertPhotosForEmail: each still picture decoded, turned upright, shrunk under the limits and
// written as a JPEG into the temporary folder, one picture at a time.
#pragma once

#include "zozed/email/engine/item_list.h"
#include "zozed/email/engine/preparation_progress.h"

namespace zozed::email {

// Appends a prepared item for every picture converted. False when a picture could not be
// loaded or saved (it is left out); pictures of other media types are left out silently.
bool ConvertPhotosForEmail(const ItemList& pictures, ItemList& converted, PreparationProgress* progress,
                           LONG max_width, LONG max_height, DWORD target_bytes);

}  // namespace zozed::email
