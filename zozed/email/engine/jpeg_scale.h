// The one-shot estimate of the picture size whose JPEG encoding meets a byte target, from the
// raw size and a table of JPEG-to-raw ratios by quality level.
#pragma once

#include <array>
#include <optional>

#include "host/media_services.h"

namespace zozed::email {

inline constexpr std::array<double, 10> kJpegSizeRatioTable = {
    0.019480036357978733, 0.0269960373132288,  0.03333027463663551, 0.03863455233813026, 0.04368511661416201,
    0.04914945860955582,  0.057534315821431266, 0.07117868768608429, 0.10367372061082751, 0.2999255300537026,
};

// The level the engine estimates with.
inline constexpr LONG kEmailJpegQualityLevel = 2;

struct PixelSize {
  LONG width = 0;
  LONG height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// (0, 0) for more than 20 frames or a level outside 0..9; the largest frame unchanged when it
// already encodes below the target.
PixelSize EstimateJpegScale(const ImageInfo& info, DWORD target_bytes, LONG quality_level,
                            std::optional<LONG> bits_per_pixel = std::nullopt);

}  // namespace zozed::email
