// Base services: interlocked operations, file copy and move, system messages, local memory and
// starting a program by command line; with the file functions of fileapi.h.
#pragma once

#include <atomic>
#include <cstdarg>

#include "platform/fileapi.h"
#include "platform/handleapi.h"
#include "platform/windef.h"

// Interlocked* operate on plain LONG storage shared with other threads, as on Windows;
// std::atomic_ref gives them sequentially consistent full-barrier semantics.
inline LONG InterlockedIncrement(LONG volatile* addend) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(addend)).fetch_add(1) + 1;
}
inline LONG InterlockedDecrement(LONG volatile* addend) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(addend)).fetch_sub(1) - 1;
}
inline LONG InterlockedExchange(LONG volatile* target, LONG value) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(target)).exchange(value);
}
inline LONG InterlockedExchangeAdd(LONG volatile* addend, LONG value) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(addend)).fetch_add(value);
}
// Returns the initial value; stores `exchange` only when it equalled `comparand`.
inline LONG InterlockedCompareExchange(LONG volatile* destination, LONG exchange, LONG comparand) {
  std::atomic_ref<LONG>(*const_cast<LONG*>(destination)).compare_exchange_strong(comparand, exchange);
  return comparand;
}
inline LONG InterlockedOr(LONG volatile* destination, LONG value) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(destination)).fetch_or(value);
}
inline LONG InterlockedAnd(LONG volatile* destination, LONG value) {
  return std::atomic_ref<LONG>(*const_cast<LONG*>(destination)).fetch_and(value);
}
inline PVOID InterlockedExchangePointer(PVOID volatile* target, PVOID value) {
  return std::atomic_ref<PVOID>(*const_cast<PVOID*>(target)).exchange(value);
}
inline PVOID InterlockedCompareExchangePointer(PVOID volatile* destination, PVOID exchange, PVOID comparand) {
  std::atomic_ref<PVOID>(*const_cast<PVOID*>(destination)).compare_exchange_strong(comparand, exchange);
  return comparand;
}

// Global memory, as the clipboard exchanges it. A GMEM_FIXED handle is the block's address;
// a GMEM_MOVEABLE handle must be locked to reach the block.
inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

extern "C" {
HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
LPVOID WINAPI GlobalLock(HGLOBAL hMem);
BOOL WINAPI GlobalUnlock(HGLOBAL hMem);
SIZE_T WINAPI GlobalSize(HGLOBAL hMem);
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem);
}

using HLOCAL = HANDLE;
#define LMEM_FIXED 0x0000u
#define LMEM_ZEROINIT 0x0040u
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)

#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_COPY_ALLOWED 0x00000002u
#define MOVEFILE_WRITE_THROUGH 0x00000008u

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100u
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200u
#define FORMAT_MESSAGE_FROM_STRING 0x00000400u
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800u
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000u
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000u
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FFu

#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define MAKELANGID(p, s) (static_cast<WORD>((static_cast<WORD>(s) << 10) | static_cast<WORD>(p)))
#define PRIMARYLANGID(lgid) (static_cast<WORD>(lgid) & 0x3ff)

extern "C" {
HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes);
// Answers null on success, the memory itself when it is not a block from LocalAlloc.
HLOCAL WINAPI LocalFree(HLOCAL hMem);

BOOL WINAPI CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists);
BOOL WINAPI MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName);
BOOL WINAPI MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags);

// FORMAT_MESSAGE_FROM_SYSTEM only: the system's English text for a Win32 code (or a
// FACILITY_WIN32 HRESULT and the common COM codes), with its trailing "\r\n".
DWORD WINAPI FormatMessageW(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPWSTR lpBuffer,
                            DWORD nSize, va_list* Arguments);

// The command line is ANSI text; above 31 means started. See platform/command_start.h for
// which programs exist here.
UINT WINAPI WinExec(LPCSTR lpCmdLine, UINT uCmdShow);
}
