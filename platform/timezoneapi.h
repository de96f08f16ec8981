// Conversion between FILETIME (100-nanosecond ticks since 1601-01-01) and calendar SYSTEMTIME.
#pragma once

#include "platform/minwinbase.h"

// Fail with ERROR_INVALID_PARAMETER for a time outside the FILETIME range or a field out of range;
// the output is then left as it was. wDayOfWeek is ignored on input and computed on output.
extern "C" BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
extern "C" BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
