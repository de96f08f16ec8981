// The locale data behind GetLocaleInfo and GetDateFormat: one profile per process, read from the
// POSIX locale by default, replaced by tests and by the machine profile.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/windef.h"

namespace platform {

// A locale that cannot be read or a profile description with a bad value; the message names it.
class LocaleProfileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct LocaleProfile {
  // Order of day, month and year, as LOCALE_IDATE and LOCALE_ILDATE number it.
  enum DateOrder : DWORD { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };
  // LOCALE_IMEASURE.
  enum Measure : DWORD { Metric = 0, UnitedStates = 1 };

  LCID lcid = 0x0409;
  std::array<std::u16string, 13> month_names;              // the 13th is empty, as on Windows
  std::array<std::u16string, 13> abbreviated_month_names;
  std::array<std::u16string, 7> day_names;                 // Monday first (LOCALE_SDAYNAME1)
  std::array<std::u16string, 7> abbreviated_day_names;
  std::u16string long_date;   // pictures in GetDateFormat's notation
  std::u16string short_date;
  std::u16string year_month;
  DateOrder long_date_order = MonthDayYear;
  DateOrder short_date_order = MonthDayYear;
  Measure measure = UnitedStates;
  std::u16string decimal_separator = u".";
  std::u16string thousand_separator = u",";
  std::u16string list_separator = u",";
  std::u16string era = u"A.D.";  // of the Gregorian calendar, for the "g" picture element
  std::u16string english_language;
  std::u16string english_country;
  std::u16string native_language;
  std::u16string native_country;

  static LocaleProfile en_us();
  static LocaleProfile en_gb();     // day first
  static LocaleProfile de_de();     // day first, German names
  static LocaleProfile ja_jp();     // year first
  static LocaleProfile invariant();  // LOCALE_INVARIANT

  // "en-US", "en_GB", "de-DE", "ja-JP" (either separator, any case) or "invariant".
  static std::optional<LocaleProfile> built_in(std::string_view name);
  static std::optional<LocaleProfile> built_in(LCID lcid);

  // Names, date order, measure and separators of an installed POSIX locale ("de_DE.UTF-8").
  // "C" and "POSIX" (with any codeset) have no country: they answer en-US apart from the names.
  // Throws LocaleProfileError when the locale is not installed.
  static LocaleProfile from_posix_locale(const char* name);

  // The profile of this process's POSIX locale (LC_ALL, else LC_TIME, else LANG); en-US when that
  // is unset, "C", or not installed.
  static LocaleProfile from_environment();

  // A JSON object: "base" (a built-in or POSIX locale name; the environment's profile when absent)
  // and overrides "date_order" (0-2 or "month-day-year", "day-month-year", "year-month-day"),
  // "measure" (0, 1, "metric" or "us"), "months" and "abbreviated_months" (12 texts),
  // "long_date" and "short_date" (pictures). A picture given without "date_order" sets its order
  // from the picture. Throws LocaleProfileError naming the field for anything else.
  static LocaleProfile from_json(std::string_view json_text);
  template <class Json>
    requires requires(const Json& j) { j.dump(); }
  static LocaleProfile from_json(const Json& json) {
    const std::string text = json.dump();
    return from_json(std::string_view(text));
  }

  // The order of day, month and year in a picture; nullopt if it lacks one of them.
  static std::optional<DateOrder> order_of_picture(std::u16string_view picture);
};

// The profile GetLocaleInfo and GetDateFormat answer from; safe to call from any thread.
std::shared_ptr<const LocaleProfile> current_locale_profile();
void set_locale_profile(LocaleProfile profile);

// Installs a profile for its lifetime and puts the previous one back.
class ScopedLocaleProfile {
 public:
  explicit ScopedLocaleProfile(LocaleProfile profile);
  ~ScopedLocaleProfile();
  ScopedLocaleProfile(const ScopedLocaleProfile&) = delete;
  ScopedLocaleProfile& operator=(const ScopedLocaleProfile&) = delete;

 private:
  std::shared_ptr<const LocaleProfile> previous_;
};

}  // namespace platform
