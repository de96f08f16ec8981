// Code-page conversion between UTF-16 and multi-byte text, with the Windows functions, flags and
// error codes; plus the C++ conversions the rest of the code base uses. Locale information and
// date formatting, answered from the process's locale profile (platform/locale_profile.h).
#pragma once

#include <string>
#include <string_view>

#include "platform/errhandlingapi.h"
#include "platform/minwinbase.h"
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

// Locale information: what GetLocaleInfo answers (LCTYPE values as the Windows headers number them).
using LCTYPE = DWORD;

inline constexpr LCID LOCALE_CUSTOM_DEFAULT = 0x0C00;
inline constexpr LCID LOCALE_CUSTOM_UNSPECIFIED = 0x1000;

inline constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
inline constexpr LCTYPE LOCALE_USE_CP_ACP = 0x40000000;
inline constexpr LCTYPE LOCALE_RETURN_NUMBER = 0x20000000;

inline constexpr LCTYPE LOCALE_ILANGUAGE = 0x00000001;
inline constexpr LCTYPE LOCALE_SLANGUAGE = 0x00000002;
inline constexpr LCTYPE LOCALE_SNATIVELANGNAME = 0x00000004;
inline constexpr LCTYPE LOCALE_SCOUNTRY = 0x00000006;
inline constexpr LCTYPE LOCALE_SNATIVECTRYNAME = 0x00000008;
inline constexpr LCTYPE LOCALE_SLIST = 0x0000000C;
inline constexpr LCTYPE LOCALE_IMEASURE = 0x0000000D;
inline constexpr LCTYPE LOCALE_SDECIMAL = 0x0000000E;
inline constexpr LCTYPE LOCALE_STHOUSAND = 0x0000000F;
inline constexpr LCTYPE LOCALE_SSHORTDATE = 0x0000001F;
inline constexpr LCTYPE LOCALE_SLONGDATE = 0x00000020;
inline constexpr LCTYPE LOCALE_IDATE = 0x00000021;
inline constexpr LCTYPE LOCALE_ILDATE = 0x00000022;
inline constexpr LCTYPE LOCALE_SDAYNAME1 = 0x0000002A;  // Monday
inline constexpr LCTYPE LOCALE_SDAYNAME2 = 0x0000002B;
inline constexpr LCTYPE LOCALE_SDAYNAME3 = 0x0000002C;
inline constexpr LCTYPE LOCALE_SDAYNAME4 = 0x0000002D;
inline constexpr LCTYPE LOCALE_SDAYNAME5 = 0x0000002E;
inline constexpr LCTYPE LOCALE_SDAYNAME6 = 0x0000002F;
inline constexpr LCTYPE LOCALE_SDAYNAME7 = 0x00000030;  // Sunday
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x00000031;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME2 = 0x00000032;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME3 = 0x00000033;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME4 = 0x00000034;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME5 = 0x00000035;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME6 = 0x00000036;
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME7 = 0x00000037;
inline constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x00000038;
inline constexpr LCTYPE LOCALE_SMONTHNAME2 = 0x00000039;
inline constexpr LCTYPE LOCALE_SMONTHNAME3 = 0x0000003A;
inline constexpr LCTYPE LOCALE_SMONTHNAME4 = 0x0000003B;
inline constexpr LCTYPE LOCALE_SMONTHNAME5 = 0x0000003C;
inline constexpr LCTYPE LOCALE_SMONTHNAME6 = 0x0000003D;
inline constexpr LCTYPE LOCALE_SMONTHNAME7 = 0x0000003E;
inline constexpr LCTYPE LOCALE_SMONTHNAME8 = 0x0000003F;
inline constexpr LCTYPE LOCALE_SMONTHNAME9 = 0x00000040;
inline constexpr LCTYPE LOCALE_SMONTHNAME10 = 0x00000041;
inline constexpr LCTYPE LOCALE_SMONTHNAME11 = 0x00000042;
inline constexpr LCTYPE LOCALE_SMONTHNAME12 = 0x00000043;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x00000044;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME2 = 0x00000045;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME3 = 0x00000046;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME4 = 0x00000047;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME5 = 0x00000048;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME6 = 0x00000049;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME7 = 0x0000004A;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME8 = 0x0000004B;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME9 = 0x0000004C;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME10 = 0x0000004D;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME11 = 0x0000004E;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME12 = 0x0000004F;
inline constexpr LCTYPE LOCALE_SENGLANGUAGE = 0x00001001;
inline constexpr LCTYPE LOCALE_SENGCOUNTRY = 0x00001002;
inline constexpr LCTYPE LOCALE_SYEARMONTH = 0x00001006;
inline constexpr LCTYPE LOCALE_SMONTHNAME13 = 0x0000100E;
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME13 = 0x0000100F;
inline constexpr LCTYPE LOCALE_SENGLISHLANGUAGENAME = LOCALE_SENGLANGUAGE;
inline constexpr LCTYPE LOCALE_SENGLISHCOUNTRYNAME = LOCALE_SENGCOUNTRY;
inline constexpr LCTYPE LOCALE_SLOCALIZEDLANGUAGENAME = LOCALE_SLANGUAGE;
inline constexpr LCTYPE LOCALE_SLOCALIZEDCOUNTRYNAME = LOCALE_SCOUNTRY;
inline constexpr LCTYPE LOCALE_SNATIVELANGUAGENAME = LOCALE_SNATIVELANGNAME;
inline constexpr LCTYPE LOCALE_SNATIVECOUNTRYNAME = LOCALE_SNATIVECTRYNAME;

// Date formatting flags.
inline constexpr DWORD DATE_SHORTDATE = 0x00000001;
inline constexpr DWORD DATE_LONGDATE = 0x00000002;
inline constexpr DWORD DATE_USE_ALT_CALENDAR = 0x00000004;
inline constexpr DWORD DATE_YEARMONTH = 0x00000008;
inline constexpr DWORD DATE_LTRREADING = 0x00000010;
inline constexpr DWORD DATE_RTLREADING = 0x00000020;

// Sizes are in characters (W) or bytes (A), terminator included; a zero size asks for the size.
// LOCALE_USER_DEFAULT, LOCALE_SYSTEM_DEFAULT, LOCALE_NEUTRAL and LOCALE_CUSTOM_DEFAULT all name
// the process's profile; LOCALE_INVARIANT and the built-in profiles' LCIDs are known too.
extern "C" int WINAPI GetLocaleInfoW(LCID Locale, LCTYPE LCType, LPWSTR lpLCData, int cchData);
extern "C" int WINAPI GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData);
extern "C" int WINAPI GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat,
                                     LPWSTR lpDateStr, int cchDate);
extern "C" int WINAPI GetDateFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat,
                                     LPSTR lpDateStr, int cchDate);
extern "C" LCID WINAPI GetUserDefaultLCID();
extern "C" LCID WINAPI GetSystemDefaultLCID();
extern "C" BOOL WINAPI IsValidLocale(LCID Locale, DWORD dwFlags);

inline constexpr DWORD LCID_INSTALLED = 0x00000001;
inline constexpr DWORD LCID_SUPPORTED = 0x00000002;
