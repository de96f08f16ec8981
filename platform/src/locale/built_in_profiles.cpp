// The locale profiles this platform knows without a POSIX locale: the ones tests and machine
// profiles name, and the invariant locale.
#include <algorithm>
#include <cctype>

#include "platform/locale_profile.h"

namespace platform {

namespace {

void english_names(LocaleProfile& p) {
  p.month_names = {u"January", u"February", u"March",     u"April",   u"May",      u"June", u"July",
                   u"August",  u"September", u"October",  u"November", u"December", u""};
  p.abbreviated_month_names = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul",
                               u"Aug", u"Sep", u"Oct", u"Nov", u"Dec", u""};
  p.day_names = {u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"};
  p.abbreviated_day_names = {u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"};
}

std::string canonical(std::string_view name) {
  std::string out;
  for (char c : name) out += c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

LocaleProfile LocaleProfile::en_us() {
  LocaleProfile p;
  p.lcid = 0x0409;
  english_names(p);
  p.long_date = u"dddd, MMMM d, yyyy";
  p.short_date = u"M/d/yyyy";
  p.year_month = u"MMMM yyyy";
  p.long_date_order = p.short_date_order = MonthDayYear;
  p.measure = UnitedStates;
  p.english_language = p.native_language = u"English";
  p.english_country = p.native_country = u"United States";
  return p;
}

LocaleProfile LocaleProfile::en_gb() {
  LocaleProfile p = en_us();
  p.lcid = 0x0809;
  p.long_date = u"dd MMMM yyyy";
  p.short_date = u"dd/MM/yyyy";
  p.long_date_order = p.short_date_order = DayMonthYear;
  p.measure = Metric;
  p.english_country = p.native_country = u"United Kingdom";
  return p;
}

LocaleProfile LocaleProfile::de_de() {
  LocaleProfile p;
  p.lcid = 0x0407;
  p.month_names = {u"Januar", u"Februar", u"März",     u"April",   u"Mai",      u"Juni", u"Juli",
                   u"August", u"September", u"Oktober", u"November", u"Dezember", u""};
  p.abbreviated_month_names = {u"Jan", u"Feb", u"Mär", u"Apr", u"Mai", u"Jun", u"Jul",
                               u"Aug", u"Sep", u"Okt", u"Nov", u"Dez", u""};
  p.day_names = {u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag", u"Freitag", u"Samstag", u"Sonntag"};
  p.abbreviated_day_names = {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"};
  p.long_date = u"dddd, d. MMMM yyyy";
  p.short_date = u"dd.MM.yyyy";
  p.year_month = u"MMMM yyyy";
  p.long_date_order = p.short_date_order = DayMonthYear;
  p.measure = Metric;
  p.decimal_separator = u",";
  p.thousand_separator = u".";
  p.list_separator = u";";
  p.era = u"n. Chr.";
  p.english_language = u"German";
  p.english_country = u"Germany";
  p.native_language = u"Deutsch";
  p.native_country = u"Deutschland";
  return p;
}

LocaleProfile LocaleProfile::ja_jp() {
  LocaleProfile p;
  p.lcid = 0x0411;
  for (int m = 0; m < 12; ++m) {
    const std::u16string number = m < 9 ? std::u16string(1, static_cast<char16_t>(u'1' + m))
                                        : std::u16string{u'1', static_cast<char16_t>(u'0' + m - 9)};
    p.month_names[m] = number + u"月";
    p.abbreviated_month_names[m] = number;
  }
  p.day_names = {u"月曜日", u"火曜日", u"水曜日", u"木曜日", u"金曜日", u"土曜日", u"日曜日"};
  p.abbreviated_day_names = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
  p.long_date = u"yyyy'年'M'月'd'日'";
  p.short_date = u"yyyy/MM/dd";
  p.year_month = u"yyyy'年'M'月'";
  p.long_date_order = p.short_date_order = YearMonthDay;
  p.measure = Metric;
  p.era = u"西暦";
  p.english_language = u"Japanese";
  p.english_country = u"Japan";
  p.native_language = u"日本語";
  p.native_country = u"日本";
  return p;
}

LocaleProfile LocaleProfile::invariant() {
  LocaleProfile p;
  p.lcid = 0x007F;
  english_names(p);
  p.long_date = u"dddd, dd MMMM yyyy";
  p.short_date = u"MM/dd/yyyy";
  p.year_month = u"yyyy MMMM";
  p.long_date_order = DayMonthYear;
  p.short_date_order = MonthDayYear;
  p.measure = Metric;
  p.english_language = p.native_language = u"Invariant Language";
  p.english_country = p.native_country = u"Invariant Country";
  return p;
}

std::optional<LocaleProfile> LocaleProfile::built_in(std::string_view name) {
  const std::string key = canonical(name);
  if (key == "en-us") return en_us();
  if (key == "en-gb") return en_gb();
  if (key == "de-de") return de_de();
  if (key == "ja-jp") return ja_jp();
  if (key == "invariant") return invariant();
  return std::nullopt;
}

std::optional<LocaleProfile> LocaleProfile::built_in(LCID lcid) {
  // The sort identifier (bits 16-19) does not change what GetLocaleInfo answers.
  switch (lcid & 0xFFFF) {
    case 0x0409: return en_us();
    case 0x0809: return en_gb();
    case 0x0407: return de_de();
    case 0x0411: return ja_jp();
    case 0x007F: return invariant();
    default: return std::nullopt;
  }
}

}  // namespace platform
