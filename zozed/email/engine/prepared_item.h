// PreparedItem: a media item the module makes for one prepared file. It answers IMediaItem from
// its own fields, or forwards it to a source item, and keeps the module loaded while it lives.
#pragma once

#include <string_view>

#include "host/media_items.h"
#include "platform/support/com_ptr.h"

namespace zozed::email {

// A new item for `file_path` (kept in "file" protocol form), with the display name taken from it,
// orientation 0, engine-made and delete allowed true, no origin, source or temporary file.
// Raises ComError when it cannot be made.
platform::ComPtr<IMediaItem> MakePreparedItem(std::u16string_view file_path);

}  // namespace zozed::email
