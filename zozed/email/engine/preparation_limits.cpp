#include "zozed/email/engine/preparation_limits.h"

#include <iterator>

#include "zozed/email/engine/email_share_options.h"

namespace zozed::email {

ScreenBox ScreenSizeBox(DWORD index) noexcept {
  static constexpr ScreenBox kBoxes[] = {{640, 480}, {800, 600}, {1024, 768}};
  return index < std::size(kBoxes) ? kBoxes[index] : kBoxes[0];
}

PreparationLimits LimitsFor(const EmailShareOptions& options) noexcept {
  PreparationLimits limits;
  if (!options.convert_to_jpeg) return limits;
  limits.convert = true;
  if (options.jpeg_optimization == 0) {
    const ScreenBox box = ScreenSizeBox(options.screen_size);
    limits.max_width = box.width;
    limits.max_height = box.height;
  } else if (options.jpeg_optimization == 1) {
    // Kilobytes beyond what 32 bits of bytes hold mean "no practical limit", never a wrapped one.
    constexpr DWORD kLargestKilobytes = 0xFFFFFFFFu / 1024u;
    limits.target_bytes = options.file_size > kLargestKilobytes ? 0xFFFFFFFFu : options.file_size * 1024u;
  }
  return limits;
}

}  // namespace zozed::email
