// The host media objects the engine works through: media services, created per operation, and
// pictures loaded into new image objects the way every conversion loads them.
#pragma once

#include <string_view>

#include "host/image_object.h"
#include "host/media_services.h"
#include "platform/support/com_ptr.h"

namespace zozed::email {

// Raises ComError when the host's media services cannot be created.
platform::ComPtr<IMediaServices> CreateMediaServices();

// The host's media type of a path or a bare extension; negative when unknown.
LONG MediaTypeOf(const platform::ComPtr<IMediaServices>& services, std::u16string_view path_or_extension);

inline bool IsStillPictureType(LONG type) noexcept {
  return type == host::kMediaTypePhoto || type == host::kMediaTypePicture;
}

// A new image object with the loading configuration, holding the picture at `path`; null when
// the host cannot load it. Raises ComError when no image object can be made.
platform::ComPtr<IImageObject> LoadPicture(const platform::ComPtr<IMediaServices>& services, std::u16string_view path);

// Quarter turns reduced to 0..3.
inline LONG QuarterTurns(LONG turns) noexcept { return ((turns % 4) + 4) % 4; }

}  // namespace zozed::email
