#include "platform/src/ui/window_manager.h"

namespace platform::ui {

namespace {

LRESULT CALLBACK driver_hook(int code, WPARAM wparam, LPARAM lparam) {
  detail::ThreadState& state = detail::thread_state();
  if (code == HCBT_CREATEWND || code == HCBT_ACTIVATE || code == HCBT_DESTROYWND || code == HCBT_SETFOCUS) {
    for (auto it = state.cbt_handlers.rbegin(); it != state.cbt_handlers.rend(); ++it) {
      if (!*it) continue;
      const CbtHandler handler = *it;  // the handler may install or remove drivers
      handler(code, reinterpret_cast<HWND>(wparam));
      break;
    }
  }
  return CallNextHookEx(detail::thread_state().driver_hook, code, wparam, lparam);
}

}  // namespace

ScopedDriver::ScopedDriver(IdleHandler idle, CbtHandler cbt) {
  detail::ThreadState& state = detail::thread_state();
  state.idle_handlers.push_back(std::move(idle));
  state.cbt_handlers.push_back(std::move(cbt));
  if (!state.driver_hook) state.driver_hook = SetWindowsHookExW(WH_CBT, driver_hook, nullptr, 0);
}

ScopedDriver::~ScopedDriver() {
  detail::ThreadState& state = detail::thread_state();
  state.idle_handlers.pop_back();
  state.cbt_handlers.pop_back();
  if (state.cbt_handlers.empty() && state.driver_hook) {
    UnhookWindowsHookEx(state.driver_hook);
    state.driver_hook = nullptr;
  }
}

}  // namespace platform::ui
