// The user32 text functions: Unicode case mapping (simple mappings of the BMP; surrogates pass
// through), comparisons and wsprintfW.
#pragma once

#include <cstdarg>

#include "platform/windef.h"

#ifndef WINAPIV
#define WINAPIV
#endif

extern "C" LPWSTR WINAPI CharLowerW(LPWSTR lpsz);
extern "C" LPWSTR WINAPI CharUpperW(LPWSTR lpsz);
extern "C" DWORD WINAPI CharLowerBuffW(LPWSTR lpsz, DWORD cchLength);
extern "C" DWORD WINAPI CharUpperBuffW(LPWSTR lpsz, DWORD cchLength);

// Ordered the way the Windows word sort orders the texts the module compares: symbols and
// punctuation before digits before letters, letters case-insensitively first, and lstrcmpW then
// puts lower case before upper case. Results are -1, 0, 1; null sorts before any text.
extern "C" int WINAPI lstrcmpW(LPCWSTR lpString1, LPCWSTR lpString2);
extern "C" int WINAPI lstrcmpiW(LPCWSTR lpString1, LPCWSTR lpString2);
extern "C" int WINAPI lstrlenW(LPCWSTR lpString);
extern "C" LPWSTR WINAPI lstrcpynW(LPWSTR lpString1, LPCWSTR lpString2, int iMaxLength);

// At most 1024 characters including the terminator are written, as on Windows; the result is
// the number of characters written without it. %s is WCHAR text, %S ANSI text.
extern "C" int WINAPIV wsprintfW(LPWSTR buffer, LPCWSTR format, ...);
extern "C" int WINAPI wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list args);
