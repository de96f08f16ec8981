// Win32 structures shared by the base API families (dates and times).
#pragma once

#include "platform/windef.h"

// A calendar date and time; wDayOfWeek counts from Sunday = 0.
typedef struct _SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

static_assert(sizeof(SYSTEMTIME) == 16);
