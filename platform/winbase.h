// Base services: the interlocked operations. (Files and other base services join this header.)
#pragma once

#include <atomic>

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
