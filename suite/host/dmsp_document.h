// The suite's own document format ".dmsp": a slide show as JSON, its slides in order, each
// a picture or clip with the quarter turns it is shown with.
//   {"format": "dmsp", "version": 1, "title": "...",
//    "slides": [{"source": "file::Z:\\photos\\a.jpg", "rotation": 1}, ...]}
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

namespace suite {

struct DmspSlide {
  std::u16string source;  // host path, "file::" prefix included
  LONG rotation = 0;      // clockwise quarter turns, 0..3
};

struct DmspDocument {
  std::u16string title;
  std::vector<DmspSlide> slides;
};

// Throws std::runtime_error naming the file when it cannot be written.
void write_dmsp(const std::string& posix_path, const DmspDocument& document);
// Throws std::runtime_error naming the file when it cannot be read or is not a ".dmsp" document.
DmspDocument read_dmsp(const std::string& posix_path);

}  // namespace suite
