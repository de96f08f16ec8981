// Colour spaces, bit depths and transparency on the way to the layout written.
#include <vips/vips.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "suite/media/engine/engine_parts.h"

namespace suite::media::engine {
namespace {

bool wide_layout(PixelLayout layout) { return layout == kGrey16 || layout == kRgb16; }
bool grey_layout(PixelLayout layout) { return layout == kGrey8 || layout == kGrey16; }

std::uint32_t big_endian(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// Whether an ICC profile's description names sRGB: converting through it would only cost time.
// Reads the 'desc' tag, as text ('desc', ICC 2) or as UTF-16 ('mluc', ICC 4, whose ASCII
// letters are every second byte).
bool describes_srgb(const unsigned char* data, std::size_t size) {
  if (size < 132) return false;
  const std::uint32_t tags = big_endian(data + 128);
  for (std::uint32_t i = 0; i < tags && 132 + 12 * (i + 1) <= size; ++i) {
    const unsigned char* entry = data + 132 + 12 * i;
    if (std::memcmp(entry, "desc", 4) != 0) continue;
    const std::size_t offset = big_endian(entry + 4);
    const std::size_t length = big_endian(entry + 8);
    if (offset > size || length > size - offset || length < 12) return false;
    std::string text;
    for (std::size_t k = 8; k < length; ++k)
      if (data[offset + k] >= 0x20 && data[offset + k] < 0x7F) text.push_back(static_cast<char>(data[offset + k]));
    return text.find("sRGB") != std::string::npos;
  }
  return false;
}

bool has_foreign_rgb_profile(const vips::VImage& image) {
  if (image.bands() < 3 || !image.get_typeof(VIPS_META_ICC_NAME)) return false;
  std::size_t size = 0;
  const void* data = image.get_blob(VIPS_META_ICC_NAME, &size);
  const auto* bytes = static_cast<const unsigned char*>(data);
  return size >= 20 && std::memcmp(bytes + 16, "RGB ", 4) == 0 && !describes_srgb(bytes, size);
}

double max_alpha(const vips::VImage& image) { return image.format() == VIPS_FORMAT_USHORT ? 65535.0 : 255.0; }

}  // namespace

vips::VImage normalised(const vips::VImage& image) {
  vips::VImage out = image;
  const VipsInterpretation guessed = vips_image_guess_interpretation(image.get_image());
  if (guessed != out.interpretation()) out = out.copy(vips::VImage::option()->set("interpretation", guessed));
  switch (out.interpretation()) {
    case VIPS_INTERPRETATION_B_W:
    case VIPS_INTERPRETATION_GREY16:
    case VIPS_INTERPRETATION_sRGB:
    case VIPS_INTERPRETATION_RGB16:
    case VIPS_INTERPRETATION_CMYK:
      if (out.format() == VIPS_FORMAT_UCHAR || out.format() == VIPS_FORMAT_USHORT) return out;
      break;
    default:
      break;
  }
  // Lab, XYZ, scRGB, floats, signed samples: rare in photos, and 8-bit sRGB holds them well.
  const bool grey = out.bands() - (out.has_alpha() ? 1 : 0) < 3;
  if (grey && out.interpretation() != VIPS_INTERPRETATION_B_W && out.interpretation() != VIPS_INTERPRETATION_GREY16)
    out = out.copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_B_W));
  out = out.colourspace(grey ? VIPS_INTERPRETATION_B_W : VIPS_INTERPRETATION_sRGB);
  return out.format() == VIPS_FORMAT_UCHAR ? out : out.cast(VIPS_FORMAT_UCHAR);
}

vips::VImage flattened(const vips::VImage& image) {
  if (!image.has_alpha()) return image;
  const double max = max_alpha(image);
  // No ink is white in CMYK.
  const double white = image.interpretation() == VIPS_INTERPRETATION_CMYK ? 0.0 : max;
  return image.flatten(vips::VImage::option()->set("background", std::vector<double>{white})->set("max_alpha", max))
      .cast(image.format());
}

vips::VImage in_layout(const vips::VImage& image, PixelLayout layout) {
  vips::VImage out = image;
  const int depth = wide_layout(layout) ? 16 : 8;
  if (out.interpretation() == VIPS_INTERPRETATION_CMYK) {
    // A CMYK JPEG from Photoshop stores its inks inverted; the loader has already turned them
    // back. "cmyk" is libvips' generic profile, used when the picture brings none.
    out = out.icc_transform("srgb", vips::VImage::option()
                                        ->set("embedded", true)
                                        ->set("input_profile", "cmyk")
                                        ->set("depth", depth));
  } else if (has_foreign_rgb_profile(out)) {
    out = out.icc_transform("srgb", vips::VImage::option()
                                        ->set("embedded", true)
                                        ->set("depth", depth));
  }

  const bool alpha_wanted = layout == kRgba8;
  if (out.has_alpha() && !alpha_wanted) out = flattened(out);

  VipsInterpretation space = VIPS_INTERPRETATION_sRGB;
  if (grey_layout(layout)) {
    space = depth == 16 ? VIPS_INTERPRETATION_GREY16 : VIPS_INTERPRETATION_B_W;
  } else if (depth == 16) {
    space = VIPS_INTERPRETATION_RGB16;
  }
  const VipsBandFormat format = depth == 16 ? VIPS_FORMAT_USHORT : VIPS_FORMAT_UCHAR;
  if (out.interpretation() != space || out.format() != format) out = out.colourspace(space);
  if (out.format() != format) out = out.cast(format);
  if (alpha_wanted && !out.has_alpha()) out = out.bandjoin_const({255.0});
  return out;
}

}  // namespace suite::media::engine
