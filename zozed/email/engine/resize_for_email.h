// Shrinks a loaded picture for mail: first towards a file-size target by one estimate, then
// into a bounding box keeping the aspect ratio.
#pragma once

#include "host/image_object.h"
#include "host/media_services.h"
#include "platform/support/com_ptr.h"

namespace zozed::email {

// `orientation` is the item's quarter turns (1 and 3 swap the frame sizes before the estimate);
// max_width 0 means no box, target_bytes 0 no file-size target.
void ResizeForEmail(const platform::ComPtr<IImageObject>& image, const ImageInfo& info, LONG orientation, bool source_is_jpeg,
                    LONG max_width, LONG max_height, DWORD target_bytes);

}  // namespace zozed::email
