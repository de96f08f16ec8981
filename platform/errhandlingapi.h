// The calling thread's last-error code, as the Win32 functions of this platform report it.
#pragma once

#include "platform/windef.h"

extern "C" DWORD WINAPI GetLastError();
extern "C" void WINAPI SetLastError(DWORD dwErrCode);
