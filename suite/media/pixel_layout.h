// The pixel layouts a caller of the image object may accept (its configuration array), and
// the conversion of a decoded picture into the nearest accepted one.
#pragma once

#include <cstdint>
#include <vector>

namespace vips {
class VImage;
}

namespace suite::media {

enum PixelLayout : std::int32_t {
  kGrey8 = 0,
  kRgb8 = 1,
  kRgba8 = 2,
  kGrey16 = 3,
  kRgb16 = 4,
  kCmyk8 = 5,
};

// The layout a picture is stored in, from its header.
PixelLayout stored_layout(const vips::VImage& header);
int bits_per_pixel(PixelLayout layout);
int stored_bits_per_pixel(const vips::VImage& header);

// The layout a picture stored as `stored` is handed over in: itself when accepted (or when
// nothing was configured), else the nearest accepted one. Throws MediaError when none fits.
PixelLayout delivered_layout(PixelLayout stored, const std::vector<std::int32_t>& accepted);

// Converts decoded pixels from the stored layout to `wanted`.
vips::VImage convert_layout(const vips::VImage& image, PixelLayout wanted);

}  // namespace suite::media
