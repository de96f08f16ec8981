// The calling thread's last Win32 error.
#pragma once

#include "platform/windef.h"

extern "C" {
DWORD WINAPI GetLastError();
void WINAPI SetLastError(DWORD dwErrCode);
}
