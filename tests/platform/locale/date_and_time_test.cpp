// Dates and times: SYSTEMTIME and FILETIME, the clock, and GetDateFormat in the locale profiles.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "platform/errhandlingapi.h"
#include "platform/locale_profile.h"
#include "platform/sysinfoapi.h"
#include "platform/timezoneapi.h"
#include "platform/winerror.h"
#include "platform/winnls.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/text/text_test_support.h"

namespace {

using text_test::show;

SYSTEMTIME make(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0, WORD ms = 0) {
  return SYSTEMTIME{y, mo, 0, d, h, mi, s, ms};
}

std::string text_of(const SYSTEMTIME& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u day %u", t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute, t.wSecond, t.wMilliseconds, t.wDayOfWeek);
  return text;
}

ULONGLONG ticks(const FILETIME& f) { return (ULONGLONG{f.dwHighDateTime} << 32) | f.dwLowDateTime; }

TEST(SystemTime, FileTimeRoundTripsWithKnownValues) {
  struct Row { int line; SYSTEMTIME time; ULONGLONG ticks; WORD day_of_week; };
  const Row rows[] = {
      {__LINE__, make(1601, 1, 1), 0, 1},                                   // a Monday
      {__LINE__, make(1970, 1, 1), 116444736000000000ull, 4},               // the Unix epoch
      {__LINE__, make(2026, 12, 5, 13, 45, 30, 250), 134409519302500000ull, 6},
      {__LINE__, make(2000, 2, 29, 23, 59, 59, 999), 125963423999990000ull, 2},
      {__LINE__, make(30827, 12, 31, 23, 59, 59, 999), 0x7FFF35F4F06C58F0ull, 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    FILETIME f{};
    ASSERT_TRUE(SystemTimeToFileTime(&row.time, &f));
    EXPECT_EQ(ticks(f), row.ticks);
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&f, &back));
    SYSTEMTIME expected = row.time;
    expected.wDayOfWeek = row.day_of_week;
    EXPECT_EQ(text_of(back), text_of(expected));
  }
}

TEST(SystemTime, InvalidValuesFailAndLeaveTheOutputAlone) {
  const SYSTEMTIME bad[] = {make(2026, 4, 31), make(2026, 13, 1), make(1600, 12, 31), make(2026, 1, 1, 24),
                            make(2026, 1, 1, 0, 60), make(2026, 1, 1, 0, 0, 60), make(2026, 1, 1, 0, 0, 0, 1000)};
  for (const SYSTEMTIME& t : bad) {
    SCOPED_TRACE(text_of(t));
    FILETIME f{1, 2};
    EXPECT_FAILS_WITH(SystemTimeToFileTime(&t, &f), FALSE, ERROR_INVALID_PARAMETER);
    EXPECT_EQ(ticks(f), 0x200000001u) << "untouched";
  }
  const FILETIME too_late{0, 0x80000000};
  SYSTEMTIME out = make(1999, 1, 1);
  EXPECT_FAILS_WITH(FileTimeToSystemTime(&too_late, &out), FALSE, ERROR_INVALID_PARAMETER);
  EXPECT_EQ(out.wYear, 1999);
}

TEST(SystemTime, ClockAgreesWithTheCLibrary) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    SYSTEMTIME utc{}, local{};
    const std::time_t before = std::time(nullptr);
    GetSystemTime(&utc);
    GetLocalTime(&local);
    const std::time_t after = std::time(nullptr);
    if (before != after) continue;  // a second boundary passed
    std::tm u{}, l{};
    gmtime_r(&before, &u);
    localtime_r(&before, &l);
    const auto same = [](const SYSTEMTIME& s, const std::tm& c) {
      return s.wYear == c.tm_year + 1900 && s.wMonth == c.tm_mon + 1 && s.wDay == c.tm_mday && s.wDayOfWeek == c.tm_wday &&
             s.wHour == c.tm_hour && s.wMinute == c.tm_min && s.wSecond == c.tm_sec;
    };
    EXPECT_TRUE(same(utc, u)) << text_of(utc);
    EXPECT_TRUE(same(local, l)) << text_of(local);
    return;
  }
  FAIL() << "the clock kept crossing seconds";
}

// The day of the week is deliberately wrong: it is computed from the date.
SYSTEMTIME date(WORD year, WORD month, WORD day) { return SYSTEMTIME{year, month, 3, day, 0, 0, 0, 0}; }

std::u16string format(LCID lcid, DWORD flags, const SYSTEMTIME& when, const WCHAR* picture) {
  WCHAR buffer[128] = {};
  const int n = GetDateFormatW(lcid, flags, &when, picture, buffer, 128);
  if (n == 0) return u"<error " + platform::from_utf8(std::to_string(GetLastError())) + u">";
  return std::u16string(buffer, static_cast<std::size_t>(n - 1));
}

TEST(GetDateFormat, EveryPictureElement) {
  platform::ScopedLocaleProfile profile(platform::LocaleProfile::en_us());
  struct Row { int line; SYSTEMTIME when; const WCHAR* picture; const char* expected; };
  const Row rows[] = {
      {__LINE__, date(2026, 3, 7), u"d|dd", "7|07"},           {__LINE__, date(2026, 3, 17), u"d dd", "17 17"},
      {__LINE__, date(2026, 3, 7), u"ddd", "Sat"},             {__LINE__, date(2026, 3, 8), u"dddddd", "Sunday"},
      {__LINE__, date(2026, 3, 7), u"M|MM", "3|03"},           {__LINE__, date(2026, 11, 7), u"M/MM", "11/11"},
      {__LINE__, date(2026, 3, 7), u"MMM", "Mar"},             {__LINE__, date(2026, 9, 7), u"MMMMM", "September"},
      {__LINE__, date(2005, 3, 7), u"y|yy", "5|05"},           {__LINE__, date(2026, 3, 7), u"yyyyy", "2026"},
      {__LINE__, date(1601, 1, 1), u"yyyy dddd", "1601 Monday"},
      {__LINE__, date(2026, 3, 7), u"g|gg", "A.D.|A.D."},
      {__LINE__, date(2024, 2, 29), u"dddd d MMMM yyyy", "Thursday 29 February 2024"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(show(format(LOCALE_USER_DEFAULT, 0, row.when, row.picture)), row.expected) << "row at line " << row.line;
}

TEST(GetDateFormat, QuotesAndLiteralText) {
  platform::ScopedLocaleProfile profile(platform::LocaleProfile::en_us());
  struct Row { int line; const WCHAR* picture; const char* expected; };
  const Row rows[] = {
      {__LINE__, u"'day' d", "day 5"},                  // letters inside quotes are text
      {__LINE__, u"d'''s'", "5's"},                     // two quotes inside a quoted text
      {__LINE__, u"d''MM", "5'12"},                     // two quotes outside one
      {__LINE__, u"yyyy'-", "2026-"},                   // an unclosed quote runs to the end
      {__LINE__, u"'dd MMM", "dd MMM"},
      {__LINE__, u"d.M.yy, h:mm", "5.12.26, h:mm"},     // other letters are copied as they are
      {__LINE__, u"", ""},                                     {__LINE__, u"yyyy年M月d日", "2026年12月5日"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(show(format(LOCALE_USER_DEFAULT, 0, date(2026, 12, 5), row.picture)), row.expected)
        << "row at line " << row.line;
}

TEST(GetDateFormat, TheProfilesOwnPictures) {
  struct Row { int line; platform::LocaleProfile profile; DWORD flags; const char* expected; };
  const Row rows[] = {
      {__LINE__, platform::LocaleProfile::en_us(), 0, "12/5/2026"},  // no flag: the short date
      {__LINE__, platform::LocaleProfile::en_us(), DATE_YEARMONTH, "December 2026"},
      {__LINE__, platform::LocaleProfile::en_gb(), DATE_SHORTDATE | LOCALE_NOUSEROVERRIDE, "05/12/2026"},
      {__LINE__, platform::LocaleProfile::de_de(), DATE_LONGDATE, "Samstag, 5. Dezember 2026"},
      {__LINE__, platform::LocaleProfile::ja_jp(), DATE_LONGDATE, "2026年12月5日"},
  };
  for (const Row& row : rows) {
    platform::ScopedLocaleProfile scoped(row.profile);
    EXPECT_EQ(show(format(LOCALE_USER_DEFAULT, row.flags, date(2026, 12, 5), nullptr)), row.expected)
        << "row at line " << row.line;
  }
}

TEST(GetDateFormat, ExplicitLcidsAnswerTheirOwnNames) {
  platform::ScopedLocaleProfile profile(platform::LocaleProfile::en_us());
  EXPECT_EQ(show(format(0x0407, 0, date(2026, 3, 7), u"dddd d MMMM")), "Samstag 7 März");
  EXPECT_EQ(show(format(LOCALE_INVARIANT, DATE_SHORTDATE, date(2026, 3, 7), nullptr)), "03/07/2026");
  EXPECT_EQ(show(format(0x0407, 0, date(2026, 3, 7), u"dd'-'MMM'-'yyyy")), "07-Mär-2026");
  SYSTEMTIME when = date(2026, 3, 7);
  WCHAR buffer[32];
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(0x041D, 0, &when, u"d", buffer, 32), 0);  // Swedish: no profile here
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(GetDateFormat, BufferSizes) {
  platform::ScopedLocaleProfile profile(platform::LocaleProfile::en_us());
  const SYSTEMTIME when = date(2026, 12, 5);
  const WCHAR* picture = u"dd'-'MMM'-'yyyy";
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, picture, nullptr, 0), 12);

  WCHAR exact[12];
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, picture, exact, 12), 12);
  EXPECT_EQ(show(exact), "05-Dec-2026");

  std::vector<WCHAR> short_buffer(11, u'#');
  EXPECT_FAILS_WITH(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, picture, short_buffer.data(), 11), 0,
                    ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(short_buffer, std::vector<WCHAR>(11, u'#'));

  EXPECT_FAILS_WITH(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, picture, nullptr, 5), 0, ERROR_INVALID_PARAMETER);
  EXPECT_FAILS_WITH(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, picture, exact, -1), 0, ERROR_INVALID_PARAMETER);
}

TEST(GetDateFormat, InvalidDatesAndFlags) {
  platform::ScopedLocaleProfile profile(platform::LocaleProfile::en_us());
  struct Row { int line; SYSTEMTIME when; DWORD flags; const WCHAR* picture; LONG error; };
  const Row rows[] = {
      {__LINE__, date(2026, 13, 1), 0, u"d", ERROR_INVALID_PARAMETER},
      {__LINE__, date(2026, 0, 1), 0, u"d", ERROR_INVALID_PARAMETER},
      {__LINE__, date(2025, 2, 29), 0, u"d", ERROR_INVALID_PARAMETER},
      {__LINE__, date(2026, 4, 0), 0, u"d", ERROR_INVALID_PARAMETER},
      {__LINE__, date(1600, 12, 31), 0, u"d", ERROR_INVALID_PARAMETER},
      {__LINE__, date(2026, 4, 1), DATE_LONGDATE, u"d", ERROR_INVALID_FLAGS},  // flag and picture
      {__LINE__, date(2026, 4, 1), DATE_LONGDATE | DATE_SHORTDATE, nullptr, ERROR_INVALID_FLAGS},
      {__LINE__, date(2026, 4, 1), DATE_LTRREADING | DATE_RTLREADING, nullptr, ERROR_INVALID_FLAGS},
      {__LINE__, date(2026, 4, 1), 0x00010000, nullptr, ERROR_INVALID_FLAGS},
  };
  for (const Row& row : rows) {
    WCHAR buffer[32] = u"untouched";
    SetLastError(0);
    EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, row.flags, &row.when, row.picture, buffer, 32), 0)
        << "row at line " << row.line;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(row.error)) << "row at line " << row.line;
    EXPECT_EQ(show(buffer), "untouched") << "row at line " << row.line;
  }
  // Leap years: divisible by 4, not by 100 unless by 400.
  EXPECT_EQ(show(format(LOCALE_USER_DEFAULT, 0, date(2000, 2, 29), u"d")), "29");
  EXPECT_EQ(show(format(LOCALE_USER_DEFAULT, 0, date(1900, 2, 29), u"d")), "<error 87>");
}

TEST(GetDateFormat, NoDateMeansToday) {
  platform::ScopedLocaleProfile profile(platform::LocaleProfile::en_us());
  for (int attempt = 0; attempt < 3; ++attempt) {
    SYSTEMTIME before{}, after{};
    GetLocalTime(&before);
    WCHAR buffer[32];
    const int n = GetDateFormatW(LOCALE_USER_DEFAULT, 0, nullptr, u"yyyy-MM-dd", buffer, 32);
    GetLocalTime(&after);
    if (before.wDay != after.wDay) continue;  // midnight passed meanwhile
    ASSERT_EQ(n, 11);
    EXPECT_EQ(show(buffer), show(format(LOCALE_USER_DEFAULT, 0, before, u"yyyy-MM-dd")));
    return;
  }
  FAIL() << "the date kept changing";
}

TEST(GetDateFormat, AnsiSizesAreBytesInTheAnsiCodePage) {
  platform::ScopedLocaleProfile profile(platform::LocaleProfile::de_de());
  const SYSTEMTIME when = date(2026, 3, 7);
  EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &when, "d. MMMM", nullptr, 0), 8);
  char buffer[16];
  ASSERT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &when, "d. MMMM", buffer, 16), 8);
  EXPECT_STREQ(buffer, "7. M\xE4rz");  // windows-1252
  {
    text_test::ScopedAnsiCodePage utf8(CP_UTF8);
    EXPECT_EQ(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &when, "d. MMMM", nullptr, 0), 9);
    EXPECT_FAILS_WITH(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &when, "d. MMMM", buffer, 8), 0,
                      ERROR_INSUFFICIENT_BUFFER);
  }
}

}  // namespace
