#include "platform/errhandlingapi.h"

namespace {
thread_local DWORD last_error = 0;
}

extern "C" DWORD WINAPI GetLastError() { return last_error; }
extern "C" void WINAPI SetLastError(DWORD dwErrCode) { last_error = dwErrCode; }
