#include <algorithm>
#include <limits>

#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

bool timer_matches(const Timer& timer, HWND filter) {
  if (!timer.window) return !filter || filter == reinterpret_cast<HWND>(-1);
  return matches_filter(timer.window, filter);
}

UINT clamp_elapse(UINT elapse) { return std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM); }

}  // namespace

bool next_timer_due(HWND filter, std::uint64_t* due) {
  bool found = false;
  for (const Timer& timer : thread_state().timers) {
    if (!timer_matches(timer, filter)) continue;
    if (!found || timer.due < *due) *due = timer.due;
    found = true;
  }
  return found;
}

bool take_due_timer(HWND filter, MSG* out, bool remove) {
  const std::uint64_t now = now_ms();
  Timer* earliest = nullptr;
  for (Timer& timer : thread_state().timers) {
    if (timer.due > now || !timer_matches(timer, filter)) continue;
    if (!earliest || timer.due < earliest->due) earliest = &timer;
  }
  if (!earliest) return false;
  *out = MSG{earliest->window, WM_TIMER, earliest->id, reinterpret_cast<LPARAM>(earliest->proc),
             static_cast<DWORD>(now), POINT{}};
  // Late ticks do not pile up: the next one is a full period after this one is taken.
  if (remove) earliest->due = now + earliest->elapse;
  return true;
}

void kill_timers_of(HWND window) {
  std::erase_if(thread_state().timers, [window](const Timer& timer) { return timer.window == window; });
}

}  // namespace platform::ui::detail

using namespace platform::ui::detail;

extern "C" UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
  if (hWnd && !window_for_call(hWnd)) return 0;
  ThreadState& state = thread_state();
  const std::uint64_t due = now_ms() + clamp_elapse(uElapse);
  for (Timer& timer : state.timers) {
    if (timer.window == hWnd && timer.id == nIDEvent && (hWnd || nIDEvent)) {
      timer = Timer{hWnd, nIDEvent, clamp_elapse(uElapse), lpTimerFunc, due};
      return hWnd ? (nIDEvent ? nIDEvent : 1) : nIDEvent;
    }
  }
  const UINT_PTR id = hWnd ? nIDEvent : state.next_thread_timer++;
  state.timers.push_back(Timer{hWnd, id, clamp_elapse(uElapse), lpTimerFunc, due});
  return hWnd ? (id ? id : 1) : id;
}

extern "C" BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
  if (hWnd && !window_for_call(hWnd)) return FALSE;
  auto& timers = thread_state().timers;
  auto it = std::find_if(timers.begin(), timers.end(),
                         [&](const Timer& timer) { return timer.window == hWnd && timer.id == uIDEvent; });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  return TRUE;
}
