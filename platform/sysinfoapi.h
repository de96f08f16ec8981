// The current date and time of the system clock, in UTC and in the local time zone.
#pragma once

#include "platform/minwinbase.h"

extern "C" void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime);
extern "C" void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime);
