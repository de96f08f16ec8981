// The quarter turns that show a photo upright, from its own orientation tag.
#pragma once

#include <string>

namespace suite::media {

// Clockwise quarter turns (0..3) for an EXIF orientation value (1..8); mirroring is not
// expressed in turns and is dropped. Values outside 1..8 mean upright.
int quarter_turns_for_orientation(int exif_orientation);

// The turns for the picture at `path` (POSIX); 0 when it has no tag or cannot be read.
int picture_quarter_turns(const std::string& path);

}  // namespace suite::media
