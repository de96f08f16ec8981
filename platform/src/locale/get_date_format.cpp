// GetDateFormatA/W: a date written with a picture or with one of the profile's pictures.
#include <bit>
#include <optional>
#include <string>

#include "platform/src/locale/calendar.h"
#include "platform/src/locale/current_profile.h"
#include "platform/src/locale/date_picture.h"
#include "platform/src/locale/text_out.h"
#include "platform/sysinfoapi.h"
#include "platform/winnls.h"

namespace {

constexpr DWORD kPictureFlags = DATE_SHORTDATE | DATE_LONGDATE | DATE_YEARMONTH;
constexpr DWORD kKnownFlags = kPictureFlags | DATE_USE_ALT_CALENDAR | DATE_LTRREADING | DATE_RTLREADING |
                              LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP;

// The formatted date, or nullopt with the last error set. `picture` null means the flags' picture.
std::optional<std::u16string> format(LCID locale, DWORD flags, const SYSTEMTIME* date, const std::u16string* picture) {
  const auto profile = platform::locale::profile_for(locale);
  if (!profile) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  const DWORD picture_flags = flags & kPictureFlags;
  if ((flags & ~kKnownFlags) || std::popcount(picture_flags) > 1 || (picture && picture_flags) ||
      ((flags & DATE_LTRREADING) && (flags & DATE_RTLREADING))) {
    SetLastError(ERROR_INVALID_FLAGS);
    return std::nullopt;
  }
  SYSTEMTIME when{};
  if (date)
    when = *date;
  else
    GetLocalTime(&when);
  if (!platform::calendar::is_valid_date(when)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  if (picture) return platform::locale::format_date(*profile, when, *picture);
  const std::u16string& chosen = picture_flags == DATE_LONGDATE    ? profile->long_date
                                 : picture_flags == DATE_YEARMONTH ? profile->year_month
                                                                   : profile->short_date;
  return platform::locale::format_date(*profile, when, chosen);
}

}  // namespace

extern "C" int WINAPI GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat,
                                     LPWSTR lpDateStr, int cchDate) {
  if (!platform::locale::valid_buffer(lpDateStr, cchDate)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::optional<std::u16string> picture;
  if (lpFormat) picture.emplace(lpFormat);
  const auto text = format(Locale, dwFlags, lpDate, picture ? &*picture : nullptr);
  if (!text) return 0;
  return platform::locale::copy_out(std::u16string_view(*text), lpDateStr, cchDate);
}

extern "C" int WINAPI GetDateFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat,
                                     LPSTR lpDateStr, int cchDate) {
  if (!platform::locale::valid_buffer(lpDateStr, cchDate)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::optional<std::u16string> picture;
  if (lpFormat) picture.emplace(platform::widen(lpFormat, CP_ACP));
  const auto text = format(Locale, dwFlags, lpDate, picture ? &*picture : nullptr);
  if (!text) return 0;
  const std::string narrow = platform::narrow(*text, CP_ACP);
  return platform::locale::copy_out(std::string_view(narrow), lpDateStr, cchDate);
}
