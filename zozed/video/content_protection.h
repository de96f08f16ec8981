// Whether a media file is protected content, asked of the media-format runtime, which is bound
// late on every check so that the module works where the runtime is absent.
#pragma once

#include <string_view>

#include "host/wmvcore.h"
#include "platform/windef.h"

namespace zozed::video {

// S_OK and the entry point, or the loader's error as an HRESULT (and a null entry point).
HRESULT BindContentProtectionCheck(host::WMIsContentProtectedProc& check) noexcept;

// `path` is a plain path on disk. False when the runtime or its entry point is missing or the call fails.
bool IsContentProtected(std::u16string_view path) noexcept;

}  // namespace zozed::video
