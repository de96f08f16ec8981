#include "zozed/email/engine/media_access.h"

#include "platform/objbase.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/support/safe_array.h"
#include "platform/support/variant.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;
using platform::ComPtr;

ComPtr<IMediaServices> CreateMediaServices() {
  ComPtr<IMediaServices> services;
  check<IMediaServices>(
      CoCreateInstance(host::CLSID_MediaServices, nullptr, CLSCTX_SERVER, IID_IMediaServices, services.put_void()));
  return services;
}

LONG MediaTypeOf(const platform::ComPtr<IMediaServices>& services, std::u16string_view path_or_extension) {
  const Bstr text(path_or_extension);
  LONG type = -1;
  check<IMediaServices>(services->GetMediaType(text.get(), &type));
  return type;
}

ComPtr<IImageObject> LoadPicture(const platform::ComPtr<IMediaServices>& services, std::u16string_view path) {
  ComPtr<IImageObject> image;
  check<IImageObject>(
      CoCreateInstance(host::CLSID_ImageObject, nullptr, CLSCTX_SERVER, IID_IImageObject, image.put_void()));
  auto configuration = platform::SafeArray::create_vector(VT_I4, 0, std::size(host::kImageLoadConfiguration));
  if (!configuration) throw platform::ComError(E_OUTOFMEMORY, IID_IImageObject);
  for (LONG i = 0; i < static_cast<LONG>(std::size(host::kImageLoadConfiguration)); ++i)
    check<IImageObject>(configuration.put_element(i, host::kImageLoadConfiguration[i]));
  const platform::Variant value(std::move(configuration));
  check<IImageObject>(image->SetConfiguration(*value.get()));

  const Bstr file(path);
  const MediaLoadRequest request{file.get(), host::kLoadFlagImage, image.get(), host::kLoadOptionIntoTarget};
  if (FAILED(services->LoadImage(&request))) return nullptr;
  return image;
}

}  // namespace zozed::email
