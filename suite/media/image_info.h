// What the suite tells about a media file from its header alone: frame sizes, pixel depth,
// file size and media type. No pixel is decoded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace suite::media {

struct FrameSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

inline constexpr std::size_t kMaxFrameSizes = 20;

struct ImageInfo {
  std::vector<FrameSize> frames;  // the first kMaxFrameSizes frames
  std::int32_t frame_count = 0;   // every frame, also those past kMaxFrameSizes
  std::int32_t bits_per_pixel = 0;
  std::int32_t planes = 0;
  std::int64_t file_size = 0;
  std::int32_t media_type = -1;
  // Why a still picture has no frames (unreadable, not the format its name says); else empty.
  std::string header_error;
};

// Never fails: what cannot be read stays zero and header_error says why. `path` is POSIX.
ImageInfo read_image_info(const std::string& path);

}  // namespace suite::media
