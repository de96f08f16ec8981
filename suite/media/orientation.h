// The quarter turns that show a photo upright, from its own orientation tag.
#pragma once

#include <string>

namespace suite::media {

// Clockwise quarter turns (0..3) for an EXIF orientation value (1..8), counted after the
// picture's mirror (see orientation_mirrors) is applied. Values outside 1..8 mean upright.
int quarter_turns_for_orientation(int exif_orientation);

// Whether the tag also mirrors the picture (2, 4, 5, 7). A picture applies the mirror itself
// when it is decoded, left to right, before any turn; the turns then finish the job.
constexpr bool orientation_mirrors(int exif_orientation) {
  return exif_orientation == 2 || exif_orientation == 4 || exif_orientation == 5 || exif_orientation == 7;
}

// The turns for the picture at `path` (POSIX); 0 when it has no tag or cannot be read.
int picture_quarter_turns(const std::string& path);

}  // namespace suite::media
