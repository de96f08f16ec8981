// A picture's header, read through the engine once and remembered while the file is unchanged:
// the e-mail task asks for the orientation, the header facts and the size of each photo in
// turn, and each would otherwise open and parse the file again.
#pragma once

#include <string>

#include "suite/media/picture_engine.h"

namespace suite::media {

// The header of the picture at `path` (POSIX). Throws MediaError naming the file.
PictureHeader read_picture_header(const std::string& path);

}  // namespace suite::media
