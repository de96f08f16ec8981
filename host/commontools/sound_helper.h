// The process-wide sound helper of the skinned window toolkit: one instance, created by the first
// AddRef and deleted when DecreaseRef takes the count back to zero.
#pragma once

#include <atomic>

#include "host/commontools/export.h"
#include "platform/windef.h"

class CTGCOMMONTOOLS_API CTSGSoundHelper {
 public:
  // The live instance, or null. Use it only while holding a reference.
  static std::atomic<CTSGSoundHelper*> m_pSoundHelper;

  // Counts one reference and answers the instance.
  static CTSGSoundHelper* AddRef();
  // Answers the count left; at zero the instance is gone. Without a reference it does nothing.
  static LONG DecreaseRef();
  static LONG RefCount();

  CTSGSoundHelper(const CTSGSoundHelper&) = delete;
  CTSGSoundHelper& operator=(const CTSGSoundHelper&) = delete;

  // Plays a system sound of a MessageBeep type (MB_OK, MB_ICONHAND, ..., 0xFFFFFFFF).
  BOOL PlaySystemSound(UINT type);
  // Sounds this instance was asked for, and the type of the last one.
  LONG SoundsRequested() const noexcept { return requested_.load(std::memory_order_acquire); }
  UINT LastSound() const noexcept { return last_.load(std::memory_order_acquire); }

 private:
  CTSGSoundHelper() = default;
  ~CTSGSoundHelper() = default;

  std::atomic<LONG> requested_{0};
  std::atomic<UINT> last_{0};
};
