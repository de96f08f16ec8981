// The pixel engine's own pieces, on libvips. Nothing here is seen outside the engine.
#pragma once

#include <vips/vips8>

#include <string>

#include "suite/media/picture_engine.h"

namespace suite::media::engine {

// Starts libvips once. Its format modules (HEIF, PDF, ImageMagick, ...) are not loaded at
// start: they cost more than the rest of the start together and most pictures never need
// them. Throws std::runtime_error when libvips cannot start.
void start();

// What libvips said when `error` was raised, its pending text cleared; `fallback` when it said
// nothing.
std::string error_text(const vips::VError& error, const std::string& fallback);

// Opens `path` (the header only, until pixels are asked for), loading the format modules first
// when none of libvips' built-in loaders knows the file. `shrink` > 1 asks a JPEG to be
// decoded at 1/shrink of its size. `strict` fails on damaged data instead of patching it.
vips::VImage open_picture(const std::string& path, VipsAccess access, bool strict, int shrink = 1);

bool is_jpeg(const vips::VImage& image);

PixelLayout stored_layout(const vips::VImage& image);

// `image` in `layout`, 8 or 16 bits a band: grey or sRGB (through the embedded ICC profile
// when it is not sRGB's; CMYK through a generic profile when it has none), alpha added or
// removed.
vips::VImage in_layout(const vips::VImage& image, PixelLayout layout);

// Laid on white: what the transparent parts of a picture look like when the format written has
// no transparency.
vips::VImage flattened(const vips::VImage& image);

// Grey, RGB or CMYK in 8 or 16 bits: what the other steps expect. Other colour spaces and
// sample formats are converted to 8-bit sRGB (or grey).
vips::VImage normalised(const vips::VImage& image);

std::string render(const RenderJob& job);

}  // namespace suite::media::engine
