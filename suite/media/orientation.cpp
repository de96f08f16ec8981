#include "suite/media/orientation.h"

#include <vips/vips8>

#include "suite/media/media_error.h"
#include "suite/media/media_types.h"
#include "suite/media/vips_runtime.h"

namespace suite::media {

int quarter_turns_for_orientation(int exif_orientation) {
  switch (exif_orientation) {
    case 3:
    case 4:
      return 2;
    case 6:
    case 7:
      return 1;
    case 5:
    case 8:
      return 3;
    default:
      return 0;
  }
}

int picture_quarter_turns(const std::string& path) {
  if (!is_still_picture(media_type_of(std::string_view(path)))) return 0;
  try {
    start_vips();
    const vips::VImage header =
        vips::VImage::new_from_file(path.c_str(), vips::VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
    if (header.get_typeof(VIPS_META_ORIENTATION) == 0) return 0;
    return quarter_turns_for_orientation(header.get_int(VIPS_META_ORIENTATION));
  } catch (const vips::VError&) {
    (void)take_vips_error({});
    return 0;
  } catch (const MediaError&) {
    return 0;
  }
}

}  // namespace suite::media
