// The suite's image object: an IImageObject over a lazy picture of the media library. Media
// services reach the picture inside through ISuitePicture, which only the suite knows.
#pragma once

#include "host/image_object.h"
#include "platform/unknwn.h"

namespace suite::media {
class Picture;
}

struct ISuitePicture : IUnknown {
  // The picture inside; owned by the image object and valid while it lives.
  virtual suite::media::Picture& picture() = 0;
};
PLATFORM_DECLARE_IID(ISuitePicture, "{6B0E3F4C-2D4A-4F0B-9C51-7E2A8D6C1B93}");
