// CoInitializeEx, CoInitialize, CoUninitialize: a per-thread count and apartment model.
#include <atomic>

#include "platform/src/com/apartment.h"
#include "platform/objbase.h"

namespace {

struct ThreadApartment {
  ULONG count = 0;
  bool multithreaded = false;
};

thread_local ThreadApartment apartment;
std::atomic<LONG> multithreaded_threads{0};

}  // namespace

namespace platform::com {

bool thread_can_use_com() noexcept {
  return apartment.count > 0 || multithreaded_threads.load(std::memory_order_acquire) > 0;
}

}  // namespace platform::com

STDAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
  if (pvReserved) return E_INVALIDARG;
  const bool multithreaded = !(dwCoInit & COINIT_APARTMENTTHREADED);
  if (apartment.count > 0) {
    if (apartment.multithreaded != multithreaded) return RPC_E_CHANGED_MODE;
    ++apartment.count;
    return S_FALSE;
  }
  apartment.count = 1;
  apartment.multithreaded = multithreaded;
  if (multithreaded) multithreaded_threads.fetch_add(1, std::memory_order_acq_rel);
  return S_OK;
}

STDAPI CoInitialize(LPVOID pvReserved) { return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED); }

STDAPI_(void) CoUninitialize() {
  if (apartment.count == 0) return;
  if (--apartment.count > 0) return;
  platform::com::revoke_thread_class_objects();
  if (apartment.multithreaded) multithreaded_threads.fetch_sub(1, std::memory_order_acq_rel);
}
