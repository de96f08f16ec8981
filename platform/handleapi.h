// Kernel object handles: the invalid value and CloseHandle.
#pragma once

#include "platform/windef.h"

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))

extern "C" BOOL WINAPI CloseHandle(HANDLE hObject);
