#include "suite/media/pixel_layout.h"

#include <vips/vips8>

#include <algorithm>
#include <array>
#include <span>

#include "suite/media/media_error.h"

namespace suite::media {
namespace {

bool is_wide(VipsBandFormat format) { return format != VIPS_FORMAT_UCHAR && format != VIPS_FORMAT_CHAR; }

bool accepts(const std::vector<std::int32_t>& accepted, PixelLayout layout) {
  return std::find(accepted.begin(), accepted.end(), static_cast<std::int32_t>(layout)) != accepted.end();
}

// Where each layout falls back to, nearest first.
std::span<const PixelLayout> fallbacks(PixelLayout layout) {
  static constexpr PixelLayout kGrey8Falls[] = {kRgb8, kRgba8, kGrey16, kRgb16};
  static constexpr PixelLayout kRgb8Falls[] = {kRgba8, kRgb16, kGrey8};
  static constexpr PixelLayout kRgba8Falls[] = {kRgb8, kRgb16, kGrey8};
  static constexpr PixelLayout kGrey16Falls[] = {kGrey8, kRgb16, kRgb8, kRgba8};
  static constexpr PixelLayout kRgb16Falls[] = {kRgb8, kRgba8, kGrey16, kGrey8};
  static constexpr PixelLayout kCmyk8Falls[] = {kRgb8, kRgba8, kRgb16, kGrey8};
  switch (layout) {
    case kGrey8: return kGrey8Falls;
    case kRgb8: return kRgb8Falls;
    case kRgba8: return kRgba8Falls;
    case kGrey16: return kGrey16Falls;
    case kRgb16: return kRgb16Falls;
    case kCmyk8: return kCmyk8Falls;
  }
  return {};
}

}  // namespace

PixelLayout stored_layout(const vips::VImage& header) {
  const bool wide = is_wide(header.format());
  if (header.interpretation() == VIPS_INTERPRETATION_CMYK && header.bands() >= 4) return kCmyk8;
  switch (header.bands()) {
    case 1:
      return wide ? kGrey16 : kGrey8;
    case 2:  // grey with alpha is handed over as colour with alpha
    case 4:
      return kRgba8;
    default:
      return wide ? kRgb16 : kRgb8;
  }
}

int bits_per_pixel(PixelLayout layout) {
  static constexpr std::array kBits{8, 24, 32, 16, 48, 32};
  return kBits[static_cast<std::size_t>(layout)];
}

int stored_bits_per_pixel(const vips::VImage& header) {
  return header.bands() * static_cast<int>(vips_format_sizeof(header.format())) * 8;
}

PixelLayout delivered_layout(PixelLayout stored, const std::vector<std::int32_t>& accepted) {
  if (accepted.empty() || accepts(accepted, stored)) return stored;
  for (const PixelLayout candidate : fallbacks(stored))
    if (accepts(accepted, candidate)) return candidate;
  throw MediaError("the picture's pixels cannot be handed over in any of the requested layouts");
}

vips::VImage convert_layout(const vips::VImage& image, PixelLayout wanted) {
  vips::VImage out = image;
  const bool has_alpha = out.has_alpha();
  if (has_alpha && wanted != kRgba8)
    out = out.flatten(vips::VImage::option()->set("background", std::vector<double>{255.0, 255.0, 255.0}));
  switch (wanted) {
    case kGrey8: return out.colourspace(VIPS_INTERPRETATION_B_W).cast(VIPS_FORMAT_UCHAR);
    case kGrey16: return out.colourspace(VIPS_INTERPRETATION_GREY16);
    case kRgb16: return out.colourspace(VIPS_INTERPRETATION_RGB16);
    case kCmyk8: return out.interpretation() == VIPS_INTERPRETATION_CMYK ? out : out.colourspace(VIPS_INTERPRETATION_CMYK);
    case kRgb8:
    case kRgba8:
      break;
  }
  if (out.interpretation() != VIPS_INTERPRETATION_sRGB || out.format() != VIPS_FORMAT_UCHAR)
    out = out.colourspace(VIPS_INTERPRETATION_sRGB);
  if (wanted == kRgba8 && !out.has_alpha()) out = out.bandjoin_const({255.0});
  return out.cast(VIPS_FORMAT_UCHAR);
}

}  // namespace suite::media
