#include "suite/media/orientation.h"

#include "suite/media/media_error.h"
#include "suite/media/media_types.h"
#include "suite/media/picture_header.h"

namespace suite::media {

int quarter_turns_for_orientation(int exif_orientation) {
  // Once mirrored left to right, 4 is upside down, 5 lies on its right side, 7 on its left.
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
    return quarter_turns_for_orientation(read_picture_header(path).exif_orientation);
  } catch (const MediaError&) {
    return 0;
  }
}

}  // namespace suite::media
