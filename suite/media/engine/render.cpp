// One picture decoded at the smallest size that serves, edited, and written whole.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "suite/media/engine/engine_parts.h"
#include "suite/media/orientation.h"
#include "suite/media/picture.h"

namespace suite::media::engine {
namespace {

// What a format written by the suite can hold.
struct Format {
  std::string_view extension;
  bool jpeg;
  bool alpha;
  bool wide;  // 16 bits a band
};

constexpr std::array kFormats{
    Format{".jpg", true, false, false},   Format{".jpeg", true, false, false}, Format{".jpe", true, false, false},
    Format{".png", false, true, true},    Format{".tif", false, true, true},   Format{".tiff", false, true, true},
    Format{".webp", false, true, false},  Format{".gif", false, true, false},  Format{".ppm", false, false, true},
    Format{".pgm", false, false, true},   Format{".pnm", false, false, true},  Format{".jp2", false, true, true},
};

std::string lower_extension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

const Format* format_of(const std::string& ext) {
  for (const auto& format : kFormats)
    if (format.extension == ext) return &format;
  return nullptr;
}

// The layout the picture is written in: the one it was handed over in, within what the format
// holds. CMYK is never written: mail programs and browsers show it wrongly or not at all.
PixelLayout written_layout(PixelLayout delivered, const Format& format) {
  PixelLayout layout = delivered == kCmyk8 ? kRgb8 : delivered;
  if (!format.alpha && layout == kRgba8) layout = kRgb8;
  if (!format.wide && layout == kGrey16) layout = kGrey8;
  if (!format.wide && layout == kRgb16) layout = kRgb8;
  return layout;
}

// The largest JPEG scale (1/8, 1/4, 1/2) whose decoded size still covers the size wanted:
// most of a decode's time goes into pixels it would then throw away. libvips counts the
// decoded size rounded down (and aborts when that comes to nothing).
int jpeg_shrink(int width, int height, int wanted_width, int wanted_height) {
  for (const int shrink : {8, 4, 2})
    if (width / shrink >= wanted_width && height / shrink >= wanted_height) return shrink;
  return 1;
}

// Turning needs the whole picture at hand: in memory when small, else in a temporary file.
vips::VImage materialised(const vips::VImage& image) {
  constexpr double kInMemory = 64.0 * 1024 * 1024;
  const double bytes = static_cast<double>(image.width()) * image.height() * image.bands() *
                       static_cast<double>(vips_format_sizeof(image.format()));
  if (bytes <= kInMemory) return image.copy_memory();
  vips::VImage file = vips::VImage::new_temp_file(".v");
  image.write(file);
  return file;
}

// Only the height changes: a block shrink by whole factors, then Lanczos for the rest.
vips::VImage resized_vertically(const vips::VImage& image, int height) {
  if (image.height() == height) return image;
  return image.resize(1.0, vips::VImage::option()
                               ->set("vscale", static_cast<double>(height) / image.height())
                               ->set("kernel", VIPS_KERNEL_LANCZOS3));
}

// To exactly `width` x `height`. libvips 8.14 reduces 8-bit columns with vector code but rows
// in plain C, ten times slower and a third of a photo's whole preparation; shrinking 8-bit
// pictures, the rows are reduced as the columns of the picture transposed. Transparent pixels
// would bleed their colour into their neighbours unless premultiplied.
vips::VImage resized(const vips::VImage& image, int width, int height) {
  if (image.width() == width && image.height() == height) return image;
  vips::VImage in = image;
  const bool alpha = in.has_alpha();
  const VipsBandFormat format = in.format();
  const double max = format == VIPS_FORMAT_USHORT ? 65535.0 : 255.0;
  if (alpha) in = in.premultiply(vips::VImage::option()->set("max_alpha", max));
  vips::VImage out;
  if (in.format() == VIPS_FORMAT_UCHAR && width <= in.width() && height <= in.height()) {
    out = resized_vertically(in, height);
    if (out.width() != width)
      out = materialised(resized_vertically(materialised(out).rot(VIPS_ANGLE_D90), width)).rot(VIPS_ANGLE_D270);
  } else {
    out = in.resize(static_cast<double>(width) / in.width(),
                    vips::VImage::option()
                        ->set("vscale", static_cast<double>(height) / in.height())
                        ->set("kernel", VIPS_KERNEL_LANCZOS3));
  }
  if (alpha) out = out.unpremultiply(vips::VImage::option()->set("max_alpha", max));
  if (out.format() != format) out = out.cast(format);
  // Rounding can leave the last row or column over or short; the edge pixels repeat or go.
  if (out.width() != width || out.height() != height)
    out = out.embed(0, 0, width, height, vips::VImage::option()->set("extend", VIPS_EXTEND_COPY));
  return out;
}

vips::VImage turned(const vips::VImage& image, int turns) {
  switch (turns) {
    case 1: return image.rot(VIPS_ANGLE_D90);
    case 2: return image.rot(VIPS_ANGLE_D180);
    case 3: return image.rot(VIPS_ANGLE_D270);
    default: return image;
  }
}

// Written under a temporary name beside the target and renamed when complete, so that a
// failure (or a crash) never leaves half a picture under the target's name. No metadata is
// written: the orientation tag no longer applies, and mail wants the bytes small.
void write_whole(const vips::VImage& image, const std::string& target, const Format& format) {
  const std::filesystem::path out(target);
  const std::filesystem::path partial =
      out.parent_path() / ("." + out.stem().string() + ".partial-" + std::to_string(::getpid()) + std::string(format.extension));
  std::error_code ignored;
  try {
    if (format.jpeg) {
      image.jpegsave(partial.c_str(), vips::VImage::option()
                                          ->set("Q", kJpegQuality)
                                          ->set("strip", true)
                                          ->set("subsample_mode", VIPS_FOREIGN_SUBSAMPLE_ON));
    } else {
      image.write_to_file(partial.c_str(), vips::VImage::option()->set("strip", true));
    }
  } catch (const vips::VError&) {
    std::filesystem::remove(partial, ignored);
    throw;
  }
  std::filesystem::rename(partial, out, ignored);
  if (ignored) {
    std::error_code also_ignored;
    std::filesystem::remove(partial, also_ignored);
    throw std::runtime_error(target + ": " + ignored.message());
  }
}

}  // namespace

std::string render(const RenderJob& job) {
  const std::string ext = lower_extension(job.target);
  const Format* format = format_of(ext);
  if (!format) return "the suite cannot write pictures of type \"" + ext + "\"";
  try {
    start();
    const vips::VImage header = open_picture(job.source, VIPS_ACCESS_SEQUENTIAL, true);
    const bool resizing = job.width > 0 && (job.width != header.width() || job.height != header.height());
    const bool turning = job.turns % 4 != 0;
    // Turning a picture at full size reads it in any order; everything else streams.
    const VipsAccess access = turning && !resizing ? VIPS_ACCESS_RANDOM : VIPS_ACCESS_SEQUENTIAL;
    const int shrink = resizing && is_jpeg(header) ? jpeg_shrink(header.width(), header.height(), job.width, job.height) : 1;

    vips::VImage image = normalised(shrink == 1 && access == VIPS_ACCESS_SEQUENTIAL
                                        ? header
                                        : open_picture(job.source, access, true, shrink));
    const PixelLayout layout = written_layout(job.layout, *format);
    // Laid on white before resizing, so that the edges of the transparent parts blend with white.
    if (image.has_alpha() && layout != kRgba8) image = flattened(image);
    if (resizing) image = resized(image, job.width, job.height);
    image = in_layout(image, layout);
    if (orientation_mirrors(job.exif_orientation)) image = image.flip(VIPS_DIRECTION_HORIZONTAL);
    if (turning) image = turned(resizing ? materialised(image) : image, job.turns % 4);
    write_whole(image, job.target, *format);
    return {};
  } catch (const vips::VError& e) {
    return error_text(e, "the picture could not be converted");
  } catch (const std::exception& e) {
    return e.what();
  }
}

}  // namespace suite::media::engine
