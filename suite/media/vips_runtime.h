// Starting the picture library: the engine is loaded and libvips started on first use.
#pragma once

#include <string>

namespace suite::media {

// Loads the engine and starts libvips, for callers that draw pictures with libvips themselves
// (tests). The suite's own calls start it when they need it. Throws MediaError.
void start_vips();

// "8.14.1": the version of libvips the engine runs on (loading it). Throws MediaError.
std::string picture_library_version();

}  // namespace suite::media
