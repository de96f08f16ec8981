// The system clock as SYSTEMTIME, and SYSTEMTIME <-> FILETIME.
#include <ctime>

#include "platform/errhandlingapi.h"
#include "platform/src/locale/calendar.h"
#include "platform/sysinfoapi.h"
#include "platform/timezoneapi.h"
#include "platform/winerror.h"

namespace {

using platform::calendar::civil_from_days;
using platform::calendar::day_of_week;
using platform::calendar::days_from_civil;

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kDaysFrom1601To1970 = -days_from_civil(1601, 1, 1);

SYSTEMTIME from_tm(const std::tm& tm, long nanoseconds) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(tm.tm_year + 1900);
  t.wMonth = static_cast<WORD>(tm.tm_mon + 1);
  t.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  t.wDay = static_cast<WORD>(tm.tm_mday);
  t.wHour = static_cast<WORD>(tm.tm_hour);
  t.wMinute = static_cast<WORD>(tm.tm_min);
  t.wSecond = static_cast<WORD>(tm.tm_sec > 59 ? 59 : tm.tm_sec);  // no leap second in SYSTEMTIME
  t.wMilliseconds = static_cast<WORD>(nanoseconds / 1'000'000);
  return t;
}

void now(LPSYSTEMTIME out, bool local) {
  if (!out) return;
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  std::tm tm{};
  if (local)
    localtime_r(&ts.tv_sec, &tm);
  else
    gmtime_r(&ts.tv_sec, &tm);
  *out = from_tm(tm, ts.tv_nsec);
}

}  // namespace

extern "C" void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime) { now(lpSystemTime, false); }

extern "C" void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) { now(lpSystemTime, true); }

extern "C" BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
  if (!lpFileTime || !lpSystemTime) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::uint64_t ticks = (std::uint64_t{lpFileTime->dwHighDateTime} << 32) | lpFileTime->dwLowDateTime;
  if (ticks > 0x7FFF'FFFF'FFFF'FFFFull) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::int64_t seconds = static_cast<std::int64_t>(ticks) / kTicksPerSecond;
  const std::int64_t days = seconds / 86400 - kDaysFrom1601To1970;
  const std::int64_t second_of_day = seconds % 86400;
  const auto date = civil_from_days(days);
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(date.year);
  t.wMonth = static_cast<WORD>(date.month);
  t.wDay = static_cast<WORD>(date.day);
  t.wDayOfWeek = day_of_week(days);
  t.wHour = static_cast<WORD>(second_of_day / 3600);
  t.wMinute = static_cast<WORD>(second_of_day / 60 % 60);
  t.wSecond = static_cast<WORD>(second_of_day % 60);
  t.wMilliseconds = static_cast<WORD>(static_cast<std::int64_t>(ticks) % kTicksPerSecond / 10'000);
  *lpSystemTime = t;
  return TRUE;
}

extern "C" BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
  if (!lpSystemTime || !lpFileTime || !platform::calendar::is_valid_date(*lpSystemTime) ||
      !platform::calendar::is_valid_time(*lpSystemTime)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const SYSTEMTIME& t = *lpSystemTime;
  const std::int64_t days = days_from_civil(t.wYear, t.wMonth, t.wDay) + kDaysFrom1601To1970;
  const std::int64_t seconds = days * 86400 + t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
  const auto ticks = static_cast<std::uint64_t>(seconds * kTicksPerSecond + t.wMilliseconds * 10'000);
  lpFileTime->dwLowDateTime = static_cast<DWORD>(ticks);
  lpFileTime->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return TRUE;
}
