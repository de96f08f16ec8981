#include "suite/media/image_info.h"

#include <algorithm>
#include <filesystem>

#include "suite/media/media_error.h"
#include "suite/media/media_types.h"
#include "suite/media/picture_header.h"

namespace suite::media {

ImageInfo read_image_info(const std::string& path) {
  ImageInfo info;
  info.media_type = media_type_of(std::string_view(path));
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (!error) info.file_size = static_cast<std::int64_t>(size);
  if (!is_still_picture(info.media_type)) return info;
  if (error) {
    info.header_error = path + ": " + error.message();
    return info;
  }
  try {
    const PictureHeader header = read_picture_header(path);
    info.frame_count = header.frame_count;
    const std::size_t listed = std::min<std::size_t>(static_cast<std::size_t>(header.frame_count), kMaxFrameSizes);
    info.frames.assign(listed, FrameSize{header.width, header.frame_height});
    info.bits_per_pixel = header.stored_bits;
    info.planes = 1;
  } catch (const MediaError& e) {
    info.header_error = e.what();
  }
  return info;
}

}  // namespace suite::media
