#include <atomic>
#include <chrono>

#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {
const auto start = std::chrono::steady_clock::now();
std::atomic<bool> virtual_mode{false};
std::atomic<std::uint64_t> virtual_now{0};

std::uint64_t real_ms() {
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}
}  // namespace

std::uint64_t now_ms() { return virtual_mode ? virtual_now.load() : real_ms(); }

void set_virtual_now(std::uint64_t ms) { virtual_now = ms; }

}  // namespace platform::ui::detail

namespace platform::ui {

DWORD clock_ms() { return static_cast<DWORD>(detail::now_ms()); }

void use_virtual_clock(bool virtual_clock) {
  if (virtual_clock == detail::virtual_mode) return;
  // The virtual clock starts where the real one stands, so pending timers keep their distance.
  if (virtual_clock) detail::virtual_now = detail::real_ms();
  detail::virtual_mode = virtual_clock;
}

bool virtual_clock_in_use() { return detail::virtual_mode; }

void advance_virtual_clock(DWORD milliseconds) {
  if (detail::virtual_mode) detail::virtual_now += milliseconds;
}

ScopedVirtualClock::ScopedVirtualClock() : previous_(virtual_clock_in_use()) { use_virtual_clock(true); }
ScopedVirtualClock::~ScopedVirtualClock() { use_virtual_clock(previous_); }

}  // namespace platform::ui
