// Starting libvips once per process, tuned for one photo at a time.
#pragma once

#include <string>

namespace suite::media {

// Starts libvips on first use: one worker thread (one photo at a time is decoded and encoded
// faster without handing strips between threads) and a small operation cache, so that memory
// stays bounded by the photo in hand.
void start_vips();

// libvips' pending error text, cleared; `fallback` when it has none.
std::string take_vips_error(const std::string& fallback);

}  // namespace suite::media
