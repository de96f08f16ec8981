// The boundary between the suite's media front and its pixel engine. The engine (libvips and
// the hundred libraries it pulls in) is a shared object of its own, loaded the first time a
// picture is touched, so that commands that never look at a picture never pay for it.
// Nothing crosses the boundary but plain structures and strings; the engine throws nothing.
#pragma once

#include <cstdint>
#include <string>

#include "suite/media/pixel_layout.h"

namespace suite::media {

// What a picture's header says. No pixel is decoded to learn it.
struct PictureHeader {
  std::int32_t width = 0;   // as stored
  std::int32_t height = 0;  // as stored: every frame of a multi-frame picture, stacked
  std::int32_t frame_height = 0;
  std::int32_t frame_count = 1;
  std::int32_t stored_bits = 0;  // bits per pixel as stored
  PixelLayout layout = kRgb8;    // as stored
  int exif_orientation = 1;      // 1..8
};

// One picture decoded, edited and written.
struct RenderJob {
  std::string source;
  std::string target;  // its extension names the format
  int exif_orientation = 1;  // its mirror is applied; its turns are the caller's business
  int turns = 0;             // clockwise quarter turns, 0..3, applied after the mirror
  std::int32_t width = 0;    // the size wanted before the turns; 0 = as stored
  std::int32_t height = 0;
  PixelLayout layout = kRgb8;  // the layout the picture was handed over in
};

class PictureEngine {
 public:
  // Each answers an empty string on success, else why it failed (the caller names the file).
  virtual std::string start() = 0;
  virtual std::string read_header(const std::string& path, PictureHeader& header) = 0;
  virtual std::string render(const RenderJob& job) = 0;
  virtual std::string library_version() = 0;

 protected:
  ~PictureEngine() = default;
};

// The engine, loaded beside the program on first use. Throws MediaError when it is missing.
PictureEngine& picture_engine();

}  // namespace suite::media

// The engine's one exported symbol.
extern "C" suite::media::PictureEngine* zozed_picture_engine();
