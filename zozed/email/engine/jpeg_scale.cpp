#include "zozed/email/engine/jpeg_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zozed::email {

PixelSize EstimateJpegScale(const ImageInfo& info, DWORD target_bytes, LONG quality_level,
                            std::optional<LONG> bits_per_pixel) {
  if (info.frame_count > host::kMaxImageFrames || quality_level < 0 ||
      quality_level >= static_cast<LONG>(kJpegSizeRatioTable.size()))
    return {};
  LONG width = 0;
  LONG height = 0;
  for (LONG i = 0; i < std::max<LONG>(info.frame_count, 0); ++i) {
    width = std::max(width, info.frames[i].width);
    height = std::max(height, info.frames[i].height);
  }
  const std::int64_t bits = bits_per_pixel.value_or(info.bits_per_pixel);
  // Rows are padded to four bytes.
  const std::int64_t row_bytes = ((bits * width + 7) / 8 + 3) & ~std::int64_t{3};
  const double raw_bytes = static_cast<double>(height) * static_cast<double>(static_cast<std::uint32_t>(row_bytes)) *
                           static_cast<double>(info.planes);
  const double scale = std::sqrt(static_cast<double>(target_bytes) /
                                 (raw_bytes * kJpegSizeRatioTable[static_cast<std::size_t>(quality_level)]));
  if (!(scale <= 1.0)) return {width, height};
  return {static_cast<LONG>(width * scale), static_cast<LONG>(height * scale)};
}

}  // namespace zozed::email
