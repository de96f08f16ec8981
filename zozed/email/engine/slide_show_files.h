// The list checks of slide-show mode: files made local and registered as the items' temporary
// files, protected media dropped, and the host's slide-show check applied the same way.
#pragma once

#include "platform/oaidl.h"

namespace zozed::email {

// Files off the local fixed disks are copied to the temporary folder; each item with
// IMediaItemExtra gets the file the slide show will use as its temporary file. The list is unchanged.
bool LocalizeSlideShowFiles(const VARIANT& list);

// Releases a protected `extra_item`, leaves out items of media type 2 or 3 whose file is
// protected, and deletes a kept item's protected temporary file. False when any of this happened.
bool DropProtectedMedia(VARIANT& list, VARIANT* extra_item);

// The host's slide-show check over the same three kinds of file; an item it refuses is left out
// whatever its media type.
bool CheckSlideShowList(VARIANT& list, VARIANT* extra_item);

}  // namespace zozed::email
