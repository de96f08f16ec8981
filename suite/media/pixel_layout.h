// The pixel layouts a caller of the image object may accept (its configuration array), and the
// layout a picture is handed over in.
#pragma once

#include <cstdint>
#include <vector>

namespace suite::media {

enum PixelLayout : std::int32_t {
  kGrey8 = 0,
  kRgb8 = 1,
  kRgba8 = 2,
  kGrey16 = 3,
  kRgb16 = 4,
  kCmyk8 = 5,
};

int bits_per_pixel(PixelLayout layout);

// The layout a picture stored as `stored` is handed over in: itself when accepted (or when
// nothing was configured), else the nearest accepted one. Throws MediaError when none fits.
PixelLayout delivered_layout(PixelLayout stored, const std::vector<std::int32_t>& accepted);

}  // namespace suite::media
