#include "zozed/email/engine/resize_for_email.h"

#include <utility>

#include "platform/support/com_error.h"
#include "zozed/email/engine/jpeg_scale.h"

namespace zozed::email {

using platform::check;

namespace {

// A side that the fit rounds down to nothing (a panorama of 10000 x 5 in an 800 x 600 box) keeps
// one pixel: the host refuses an empty picture.
LONG AtLeastOnePixel(LONG side) noexcept { return side < 1 ? 1 : side; }

}  // namespace

void ResizeForEmail(const platform::ComPtr<IImageObject>& image, const ImageInfo& info, LONG orientation, bool source_is_jpeg,
                    LONG max_width, LONG max_height, DWORD target_bytes) {
  if (target_bytes != 0 && info.file_size > target_bytes) {
    ImageInfo turned = info;
    if (orientation == 1 || orientation == 3)
      for (auto& frame : turned.frames) std::swap(frame.width, frame.height);
    LONG bits = turned.bits_per_pixel;
    if (!source_is_jpeg) check<IImageObject>(image->GetBitsPerPixel(&bits));
    const PixelSize size = EstimateJpegScale(turned, target_bytes, kEmailJpegQualityLevel, bits);
    // A picture with too many frames gets no estimate (0 x 0) and keeps its size; a very thin
    // one keeps at least one pixel on its short side.
    if (size.width > 0 || size.height > 0)
      check<IImageObject>(image->Resize(AtLeastOnePixel(size.width), AtLeastOnePixel(size.height)));
  }
  if (max_width > 0) {
    LONG width = 0;
    LONG height = 0;
    check<IImageObject>(image->GetSize(&width, &height));
    if (width <= 0 || height <= 0) return;
    const double aspect = static_cast<double>(height) / width;
    if (width > max_width) {
      width = max_width;
      height = static_cast<LONG>(max_width * aspect);
    }
    if (height > max_height) {
      height = max_height;
      width = static_cast<LONG>(max_height / aspect);
    }
    check<IImageObject>(image->Resize(AtLeastOnePixel(width), AtLeastOnePixel(height)));
  }
}

}  // namespace zozed::email
