// Media items the suite hands to components: plain files, and slide shows open in the suite
// (an item whose document can be saved to a ".dmsp" file).
#pragma once

#include <string_view>

#include "host/media_items.h"
#include "suite/host/dmsp_document.h"

namespace suite {

// An item for the file at `host_path` ("file::Z:\\photos\\a.jpg" or a plain Windows path);
// its orientation comes from the picture's own orientation tag.
HRESULT create_file_item(std::u16string_view host_path, IMediaItem** item);

// A slide show open in the suite: `host_path` is where it was loaded from or last saved (empty
// when untitled); `modified` when it has changes not saved.
HRESULT create_document_item(std::u16string_view host_path, DmspDocument document, bool modified, IMediaItem** item);

}  // namespace suite
