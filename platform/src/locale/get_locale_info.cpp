// GetLocaleInfoA/W answered from a locale profile.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "platform/src/locale/current_profile.h"
#include "platform/src/locale/text_out.h"
#include "platform/winnls.h"

namespace {

using platform::LocaleProfile;

constexpr LCTYPE kFlags = LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP | LOCALE_RETURN_NUMBER;

// What an LCTYPE answers: a number (its text is decimal unless given) or a text.
struct Answer {
  std::optional<DWORD> number;
  std::u16string text;
};

Answer number(DWORD value) {
  Answer a;
  a.number = value;
  const std::string digits = std::to_string(value);
  a.text.assign(digits.begin(), digits.end());
  return a;
}

Answer text(const std::u16string& value) { return Answer{std::nullopt, value}; }

std::optional<Answer> look_up(const LocaleProfile& p, LCTYPE type) {
  if (type >= LOCALE_SDAYNAME1 && type <= LOCALE_SDAYNAME7) return text(p.day_names[type - LOCALE_SDAYNAME1]);
  if (type >= LOCALE_SABBREVDAYNAME1 && type <= LOCALE_SABBREVDAYNAME7)
    return text(p.abbreviated_day_names[type - LOCALE_SABBREVDAYNAME1]);
  if (type >= LOCALE_SMONTHNAME1 && type <= LOCALE_SMONTHNAME12) return text(p.month_names[type - LOCALE_SMONTHNAME1]);
  if (type >= LOCALE_SABBREVMONTHNAME1 && type <= LOCALE_SABBREVMONTHNAME12)
    return text(p.abbreviated_month_names[type - LOCALE_SABBREVMONTHNAME1]);
  switch (type) {
    case LOCALE_SMONTHNAME13: return text(p.month_names[12]);
    case LOCALE_SABBREVMONTHNAME13: return text(p.abbreviated_month_names[12]);
    case LOCALE_ILANGUAGE: {
      Answer a = number(p.lcid & 0xFFFF);
      char hex[8];
      std::snprintf(hex, sizeof hex, "%04x", static_cast<unsigned>(p.lcid & 0xFFFF));
      a.text.assign(hex, hex + std::strlen(hex));
      return a;
    }
    case LOCALE_IDATE: return number(p.short_date_order);
    case LOCALE_ILDATE: return number(p.long_date_order);
    case LOCALE_IMEASURE: return number(p.measure);
    case LOCALE_SLONGDATE: return text(p.long_date);
    case LOCALE_SSHORTDATE: return text(p.short_date);
    case LOCALE_SYEARMONTH: return text(p.year_month);
    case LOCALE_SDECIMAL: return text(p.decimal_separator);
    case LOCALE_STHOUSAND: return text(p.thousand_separator);
    case LOCALE_SLIST: return text(p.list_separator);
    case LOCALE_SENGLANGUAGE: return text(p.english_language);
    case LOCALE_SENGCOUNTRY: return text(p.english_country);
    // This platform's user interface is English: the localized names are the English ones.
    case LOCALE_SLANGUAGE: return text(p.english_language);
    case LOCALE_SCOUNTRY: return text(p.english_country);
    case LOCALE_SNATIVELANGNAME: return text(p.native_language);
    case LOCALE_SNATIVECTRYNAME: return text(p.native_country);
    default: return std::nullopt;
  }
}

// The answer for (Locale, LCType) after the checks both A and W make; sets the error when none.
std::optional<Answer> answer(LCID locale, LCTYPE lctype) {
  const auto profile = platform::locale::profile_for(locale);
  if (!profile) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  auto found = look_up(*profile, lctype & ~kFlags);
  if (!found || ((lctype & LOCALE_RETURN_NUMBER) && !found->number)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return std::nullopt;
  }
  return found;
}

// LOCALE_RETURN_NUMBER: the DWORD's bytes in the buffer; sizes count buffer units.
template <class Char>
int copy_number(DWORD value, Char* buffer, int size) {
  constexpr int kUnits = sizeof(DWORD) / sizeof(Char);
  if (size == 0) return kUnits;
  if (size < kUnits) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(buffer, &value, sizeof value);
  return kUnits;
}

}  // namespace

extern "C" int WINAPI GetLocaleInfoW(LCID Locale, LCTYPE LCType, LPWSTR lpLCData, int cchData) {
  if (!platform::locale::valid_buffer(lpLCData, cchData)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const auto found = answer(Locale, LCType);
  if (!found) return 0;
  if (LCType & LOCALE_RETURN_NUMBER) return copy_number(*found->number, lpLCData, cchData);
  return platform::locale::copy_out(std::u16string_view(found->text), lpLCData, cchData);
}

extern "C" int WINAPI GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData) {
  if (!platform::locale::valid_buffer(lpLCData, cchData)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const auto found = answer(Locale, LCType);
  if (!found) return 0;
  if (LCType & LOCALE_RETURN_NUMBER) return copy_number(*found->number, lpLCData, cchData);
  const std::string narrow = platform::narrow(found->text, CP_ACP);
  return platform::locale::copy_out(std::string_view(narrow), lpLCData, cchData);
}
