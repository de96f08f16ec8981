// Code-page conversion between UTF-16 and multi-byte text, with the Windows functions, flags and
// error codes; plus the C++ conversions the rest of the code base uses.
#pragma once

#include <string>
#include <string_view>

#include "platform/errhandlingapi.h"
#include "platform/windef.h"

// Locale identifiers and comparison flags.
inline constexpr LCID LOCALE_NEUTRAL = 0x0000;
inline constexpr LCID LOCALE_INVARIANT = 0x007F;
inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr DWORD NORM_IGNORECASE = 0x00000001;
inline constexpr DWORD NORM_IGNORENONSPACE = 0x00000002;
inline constexpr DWORD NORM_IGNORESYMBOLS = 0x00000004;
inline constexpr DWORD NORM_IGNOREKANATYPE = 0x00010000;
inline constexpr DWORD NORM_IGNOREWIDTH = 0x00020000;

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_MACCP 2
#define CP_THREAD_ACP 3
#define CP_SYMBOL 42
#define CP_UTF7 65000
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_COMPOSITE 0x00000002
#define MB_USEGLYPHCHARS 0x00000004
#define MB_ERR_INVALID_CHARS 0x00000008

#define WC_DISCARDNS 0x00000010
#define WC_SEPCHARS 0x00000020
#define WC_DEFAULTCHAR 0x00000040
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_COMPOSITECHECK 0x00000200
#define WC_NO_BEST_FIT_CHARS 0x00000400

extern "C" int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                                          LPWSTR lpWideCharStr, int cchWideChar);
extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                          LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                                          LPBOOL lpUsedDefaultChar);
extern "C" UINT WINAPI GetACP();
extern "C" UINT WINAPI GetOEMCP();
extern "C" BOOL WINAPI IsValidCodePage(UINT CodePage);

namespace platform {

// The process's ANSI code page (CP_ACP, CP_THREAD_ACP), 1252 unless set. Refuses (false) a code
// page this platform cannot convert.
[[nodiscard]] bool set_ansi_code_page(UINT code_page);

// Conversions without flags. An invalid code page gives an empty string; text that does not
// convert takes the replacement the Windows functions use (U+FFFD, the default character);
// `used_default` tells whether any was needed.
std::u16string widen(std::string_view text, UINT code_page = CP_ACP);
std::string narrow(std::u16string_view text, UINT code_page = CP_ACP, bool* used_default = nullptr);

// UTF-8 <-> UTF-16 without a code-page lookup; ill-formed input becomes U+FFFD.
std::string to_utf8(std::u16string_view text);
std::u16string from_utf8(std::string_view text);

}  // namespace platform
