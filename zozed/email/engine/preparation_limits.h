// The size limits that the e-mail options hand to photo conversion.
#pragma once

#include "platform/windef.h"

namespace zozed::email {

class EmailShareOptions;

struct ScreenBox {
  LONG width;
  LONG height;
};

struct PreparationLimits {
  bool convert = false;    // photos are converted to JPEG at all
  LONG max_width = 0;      // 0: no box
  LONG max_height = 0;
  DWORD target_bytes = 0;  // 0: no file-size target
};

// The box of a "Screen size" index; unknown indexes give the smallest box.
ScreenBox ScreenSizeBox(DWORD index) noexcept;

PreparationLimits LimitsFor(const EmailShareOptions& options) noexcept;

}  // namespace zozed::email
