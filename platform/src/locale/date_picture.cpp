// Formatting a date with a picture, and reading the day-month-year order out of one.
#include "platform/src/locale/date_picture.h"

#include "platform/src/locale/calendar.h"

namespace platform {

namespace locale {

namespace {

void append_number(std::u16string& out, unsigned value, std::size_t min_digits) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value);
  if (digits.size() < min_digits) out.append(min_digits - digits.size(), u'0');
  out += digits;
}

}  // namespace

std::u16string format_date(const LocaleProfile& profile, const SYSTEMTIME& date, std::u16string_view picture) {
  // SYSTEMTIME counts days from Sunday, the profile's names from Monday.
  const WORD sunday_first = calendar::day_of_week(calendar::days_from_civil(date.wYear, date.wMonth, date.wDay));
  const std::size_t day_index = (sunday_first + 6) % 7;
  std::u16string out;
  for_each_picture_element(picture, [&](const PictureElement& e) {
    switch (e.letter) {
      case 0: out += e.literal; break;
      case u'd':
        if (e.count <= 2)
          append_number(out, date.wDay, e.count);
        else
          out += e.count == 3 ? profile.abbreviated_day_names[day_index] : profile.day_names[day_index];
        break;
      case u'M':
        if (e.count <= 2)
          append_number(out, date.wMonth, e.count);
        else
          out += e.count == 3 ? profile.abbreviated_month_names[date.wMonth - 1] : profile.month_names[date.wMonth - 1];
        break;
      case u'y':
        if (e.count <= 2)
          append_number(out, date.wYear % 100, e.count);
        else
          append_number(out, date.wYear, 1);
        break;
      case u'g': out += profile.era; break;
    }
  });
  return out;
}

}  // namespace locale

std::optional<LocaleProfile::DateOrder> LocaleProfile::order_of_picture(std::u16string_view picture) {
  int day = -1, month = -1, year = -1, position = 0;
  locale::for_each_picture_element(picture, [&](const locale::PictureElement& e) {
    // A day name ("ddd") says nothing about where the day of the month stands.
    if (e.letter == u'd' && e.count <= 2 && day < 0) day = position;
    if (e.letter == u'M' && month < 0) month = position;
    if (e.letter == u'y' && year < 0) year = position;
    ++position;
  });
  if (day < 0 || month < 0 || year < 0) return std::nullopt;
  if (year < month && year < day) return YearMonthDay;
  return day < month ? DayMonthYear : MonthDayYear;
}

}  // namespace platform
