// The media-format runtime's protection check, bound late by name: the library and entry point
// names and the entry point's signature.
#pragma once

#include "platform/windef.h"

namespace host {
inline constexpr char kWmvcoreLibrary[] = "wmvcore.dll";
inline constexpr char kIsContentProtectedEntry[] = "WMIsContentProtected";

// S_OK with *is_protected non-zero: the file is protected content.
using WMIsContentProtectedProc = HRESULT (*)(const WCHAR* file_name, BOOL* is_protected);
}  // namespace host
