#include "suite/media/image_info.h"

#include <vips/vips8>

#include <algorithm>
#include <filesystem>

#include "suite/media/media_error.h"
#include "suite/media/media_types.h"
#include "suite/media/pixel_layout.h"
#include "suite/media/vips_runtime.h"

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
    start_vips();
    // Opening reads the header only; pixels are decoded when asked for, and never here.
    const vips::VImage header =
        vips::VImage::new_from_file(path.c_str(), vips::VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
    const int pages = std::max(1, header.get_typeof("n-pages") ? header.get_int("n-pages") : 1);
    const int page_height = header.get_typeof("page-height") ? header.get_int("page-height") : header.height();
    info.frame_count = pages;
    const std::size_t listed = std::min<std::size_t>(static_cast<std::size_t>(pages), kMaxFrameSizes);
    info.frames.assign(listed, FrameSize{header.width(), page_height > 0 ? page_height : header.height()});
    info.bits_per_pixel = stored_bits_per_pixel(header);
    info.planes = 1;
  } catch (const vips::VError&) {
    info.header_error = path + ": " + take_vips_error("not a picture the suite can read");
  } catch (const MediaError& e) {
    info.header_error = e.what();
  }
  return info;
}

}  // namespace suite::media
