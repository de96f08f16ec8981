#include "zozed/email/engine/convert_photos.h"

#include <algorithm>

#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "zozed/email/engine/engine_paths.h"
#include "zozed/email/engine/media_access.h"
#include "zozed/email/engine/path_checks.h"
#include "zozed/email/engine/prepared_item.h"
#include "zozed/email/engine/resize_for_email.h"
#include "zozed/email/engine/unique_file_name.h"
#include "zozed/email/engine/window_pump.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;
using platform::ComPtr;

namespace {

// False when the picture had to be left out because it could not be loaded or saved.
bool convert_one(const ComPtr<IMediaServices>& services, IUnknown* picture, ItemList& converted, const std::u16string& temp,
                 LONG max_width, LONG max_height, DWORD target_bytes) {
  const ComPtr<IMediaItem> item = MediaItemOf(picture);
  const std::u16string path = PathOf(item);
  const LONG orientation = OrientationOf(item);

  // A header that cannot be read leaves the record cleared; the load then decides.
  ImageInfo info{};
  const Bstr file(path);
  (void)services->GetImageInfo(file.get(), &info);
  if (!IsStillPictureType(info.media_type)) return true;

  const bool source_is_jpeg = IsJpegPath(path);
  const ComPtr<IImageObject> image = LoadPicture(services, path);
  if (!image) return false;
  check<IImageObject>(image->Rotate(QuarterTurns(orientation)));
  ResizeForEmail(image, info, orientation, source_is_jpeg, max_width, max_height, target_bytes);

  const std::u16string name = MakeUniqueFileName(temp, u".jpg", BaseNameOf(path));
  const Bstr target(FileProtocolPath(temp + name));
  check<IImageObject>(image->ResetPendingChanges());
  if (FAILED(services->SaveImage(image.get(), target.get()))) return false;

  const ComPtr<IMediaItem> prepared = MakePreparedItem(target.view());
  if (const auto extra = ExtraOf(picture)) {
    IUnknown* origin = nullptr;
    check<IMediaItemExtra>(extra->get_OriginItem(&origin));
    check<IMediaItemExtra>(ExtraOf(prepared.get())->put_OriginItem(origin));
  }
  converted.push_back(prepared.As<IUnknown>());
  return true;
}

}  // namespace

bool ConvertPhotosForEmail(const ItemList& pictures, ItemList& converted, PreparationProgress* progress,
                           LONG max_width, LONG max_height, DWORD target_bytes) {
  if (pictures.empty()) return true;
  const ComPtr<IMediaServices> services = CreateMediaServices();
  const std::u16string temp = TemporaryFolder();
  bool result = true;
  const auto count = static_cast<double>(pictures.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    DispatchPendingPaints();
    if (!convert_one(services, pictures[i].get(), converted, temp, max_width, max_height, target_bytes))
      result = false;
    if (progress) {
      const auto percent = static_cast<LONG>(static_cast<double>(i + 1) / count * 100.0);
      progress->ReportProgress(std::min<LONG>(percent, 100));
    }
  }
  if (progress) progress->ReportProgress(0);
  DiscardPendingInput();
  return result;
}

}  // namespace zozed::email
