// The system's English message texts, as FormatMessage finds them by code.
#pragma once

#include <string_view>

#include "platform/windef.h"

namespace platform::messages {

// The text for a Win32 code, a FACILITY_WIN32 HRESULT or a common COM HRESULT, with its
// trailing "\r\n"; empty when the system has none.
std::u16string_view system_message(DWORD code);

}  // namespace platform::messages
