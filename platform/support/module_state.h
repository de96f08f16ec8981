// Live objects and server locks of one shared object (a module, the host executable, a test
// server): what DllCanUnloadNow answers from. Each binary defines its own instance with
// PLATFORM_DEFINE_MODULE_STATE(); the symbol is hidden, so binaries never share it.
#pragma once

#include <atomic>

#include "platform/windef.h"

namespace platform {

class ModuleState {
 public:
  void object_created() noexcept { objects_.fetch_add(1, std::memory_order_relaxed); }
  void object_destroyed() noexcept { objects_.fetch_sub(1, std::memory_order_acq_rel); }
  void lock() noexcept { locks_.fetch_add(1, std::memory_order_relaxed); }
  void unlock() noexcept { locks_.fetch_sub(1, std::memory_order_acq_rel); }

  LONG objects() const noexcept { return objects_.load(std::memory_order_acquire); }
  LONG locks() const noexcept { return locks_.load(std::memory_order_acquire); }
  bool can_unload() const noexcept { return objects() == 0 && locks() == 0; }

 private:
  std::atomic<LONG> objects_{0};
  std::atomic<LONG> locks_{0};
};

[[gnu::visibility("hidden")]] ModuleState& this_module() noexcept;

}  // namespace platform

#define PLATFORM_DEFINE_MODULE_STATE()                                            \
  [[gnu::visibility("hidden")]] platform::ModuleState& platform::this_module() noexcept { \
    static platform::ModuleState state;                                          \
    return state;                                                                \
  }
