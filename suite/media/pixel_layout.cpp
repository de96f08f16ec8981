#include "suite/media/pixel_layout.h"

#include <algorithm>
#include <array>
#include <span>

#include "suite/media/media_error.h"

namespace suite::media {
namespace {

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

int bits_per_pixel(PixelLayout layout) {
  static constexpr std::array kBits{8, 24, 32, 16, 48, 32};
  return kBits[static_cast<std::size_t>(layout)];
}

PixelLayout delivered_layout(PixelLayout stored, const std::vector<std::int32_t>& accepted) {
  if (accepted.empty() || accepts(accepted, stored)) return stored;
  for (const PixelLayout candidate : fallbacks(stored))
    if (accepts(accepted, candidate)) return candidate;
  throw MediaError("the picture's pixels cannot be handed over in any of the requested layouts");
}

}  // namespace suite::media
