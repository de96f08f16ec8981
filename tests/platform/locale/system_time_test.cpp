#include <gtest/gtest.h>

#include "tests/platform/platform_test_support.h"

#include <ctime>

#include "platform/errhandlingapi.h"
#include "platform/sysinfoapi.h"
#include "platform/timezoneapi.h"
#include "platform/winerror.h"

namespace {

SYSTEMTIME make(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0, WORD ms = 0) {
  SYSTEMTIME t{};
  t.wYear = y;
  t.wMonth = mo;
  t.wDay = d;
  t.wHour = h;
  t.wMinute = mi;
  t.wSecond = s;
  t.wMilliseconds = ms;
  return t;
}

ULONGLONG ticks(const FILETIME& f) { return (ULONGLONG{f.dwHighDateTime} << 32) | f.dwLowDateTime; }

TEST(SystemTime, FileTimeRoundTripsWithKnownValues) {
  struct Row {
    int line;
    SYSTEMTIME time;
    ULONGLONG ticks;
    WORD day_of_week;
  };
  const Row rows[] = {
      {__LINE__, make(1601, 1, 1), 0, 1},                                   // a Monday
      {__LINE__, make(1970, 1, 1), 116444736000000000ull, 4},               // the Unix epoch
      {__LINE__, make(2026, 12, 5, 13, 45, 30, 250), 134409519302500000ull, 6},
      {__LINE__, make(2000, 2, 29, 23, 59, 59, 999), 125963423999990000ull, 2},
      {__LINE__, make(30827, 12, 31, 23, 59, 59, 999), 0x7FFF35F4F06C58F0ull, 5},
  };
  for (const Row& row : rows) {
    FILETIME f{};
    ASSERT_TRUE(SystemTimeToFileTime(&row.time, &f)) << "row at line " << row.line;
    EXPECT_EQ(ticks(f), row.ticks) << "row at line " << row.line;
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&f, &back)) << "row at line " << row.line;
    EXPECT_EQ(back.wYear, row.time.wYear) << "row at line " << row.line;
    EXPECT_EQ(back.wMonth, row.time.wMonth) << "row at line " << row.line;
    EXPECT_EQ(back.wDay, row.time.wDay) << "row at line " << row.line;
    EXPECT_EQ(back.wHour, row.time.wHour) << "row at line " << row.line;
    EXPECT_EQ(back.wMinute, row.time.wMinute) << "row at line " << row.line;
    EXPECT_EQ(back.wSecond, row.time.wSecond) << "row at line " << row.line;
    EXPECT_EQ(back.wMilliseconds, row.time.wMilliseconds) << "row at line " << row.line;
    EXPECT_EQ(back.wDayOfWeek, row.day_of_week) << "row at line " << row.line;
  }
}

TEST(SystemTime, InvalidValuesFailAndLeaveTheOutputAlone) {
  const SYSTEMTIME bad[] = {make(2026, 4, 31), make(2026, 13, 1), make(1600, 12, 31), make(2026, 1, 1, 24),
                            make(2026, 1, 1, 0, 60), make(2026, 1, 1, 0, 0, 60), make(2026, 1, 1, 0, 0, 0, 1000)};
  for (const SYSTEMTIME& t : bad) {
    FILETIME f{1, 2};
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&t, &f)) << t.wYear << "-" << t.wMonth << "-" << t.wDay;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(f.dwLowDateTime, 1u);
    EXPECT_EQ(f.dwHighDateTime, 2u);
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
    EXPECT_EQ(utc.wYear, u.tm_year + 1900);
    EXPECT_EQ(utc.wMonth, u.tm_mon + 1);
    EXPECT_EQ(utc.wDay, u.tm_mday);
    EXPECT_EQ(utc.wDayOfWeek, u.tm_wday);
    EXPECT_EQ(utc.wHour, u.tm_hour);
    EXPECT_EQ(utc.wSecond, u.tm_sec);
    EXPECT_EQ(local.wDay, l.tm_mday);
    EXPECT_EQ(local.wHour, l.tm_hour);
    EXPECT_EQ(local.wMinute, l.tm_min);
    return;
  }
  FAIL() << "the clock kept crossing seconds";
}

}  // namespace
