#include "zozed/email/engine/copy_media_file.h"

#include <string>

#include "platform/fileapi.h"
#include "platform/winbase.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "zozed/email/engine/engine_paths.h"
#include "zozed/email/engine/media_access.h"

namespace zozed::email {

using platform::check;

bool CopyMediaFile(std::u16string_view source, std::u16string_view target, LONG rotation) {
  const std::u16string source_extension = DottedExtensionOf(source);
  const std::u16string target_extension = DottedExtensionOf(target);
  const auto services = CreateMediaServices();
  const LONG type = MediaTypeOf(services, source_extension);
  if (IsStillPictureType(type) && (rotation != 0 || source_extension != target_extension)) {
    const auto image = LoadPicture(services, source);
    if (!image) return false;
    check<IImageObject>(image->Rotate(QuarterTurns(rotation)));
    const platform::Bstr file(target);
    return SUCCEEDED(services->SaveImage(image.get(), file.get()));
  }
  const std::u16string from = PlainPath(source);
  const std::u16string to = PlainPath(target);
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

}  // namespace zozed::email
