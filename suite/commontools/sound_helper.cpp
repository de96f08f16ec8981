#include "host/commontools/sound_helper.h"

#include <mutex>

#if __has_include("platform/winuser.h")
#include "platform/winuser.h"
#define CTG_HAVE_MESSAGE_BEEP 1
#endif

namespace {

// Guards the count together with creating and deleting the instance.
std::mutex& helper_mutex() {
  static std::mutex mutex;
  return mutex;
}
LONG helper_count = 0;

}  // namespace

std::atomic<CTSGSoundHelper*> CTSGSoundHelper::m_pSoundHelper{nullptr};

CTSGSoundHelper* CTSGSoundHelper::AddRef() {
  std::lock_guard lock(helper_mutex());
  if (helper_count == 0) m_pSoundHelper.store(new CTSGSoundHelper, std::memory_order_release);
  ++helper_count;
  return m_pSoundHelper.load(std::memory_order_relaxed);
}

LONG CTSGSoundHelper::DecreaseRef() {
  std::lock_guard lock(helper_mutex());
  if (helper_count == 0) return 0;
  if (--helper_count == 0) delete m_pSoundHelper.exchange(nullptr, std::memory_order_acq_rel);
  return helper_count;
}

LONG CTSGSoundHelper::RefCount() {
  std::lock_guard lock(helper_mutex());
  return helper_count;
}

BOOL CTSGSoundHelper::PlaySystemSound(UINT type) {
  last_.store(type, std::memory_order_release);
  requested_.fetch_add(1, std::memory_order_acq_rel);
#ifdef CTG_HAVE_MESSAGE_BEEP
  return MessageBeep(type);
#else
  // No sound device on this platform yet: the request is only recorded.
  return TRUE;
#endif
}
