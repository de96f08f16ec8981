#include <algorithm>
#include <atomic>

#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {
std::atomic<std::uintptr_t> next_hook{0x30000};

// Calls the hooks older than position `below` (hooks run newest first).
LRESULT call_from(std::size_t below, int code, WPARAM wparam, LPARAM lparam) {
  const std::vector<Hook> hooks = thread_state().cbt_hooks;
  if (below == 0 || below > hooks.size()) return 0;
  return hooks[below - 1].proc(code, wparam, lparam);
}
}  // namespace

bool call_cbt_hooks(int code, WPARAM wparam, LPARAM lparam) {
  return call_from(thread_state().cbt_hooks.size(), code, wparam, lparam) != 0;
}

}  // namespace platform::ui::detail

using namespace platform::ui::detail;

extern "C" HHOOK WINAPI SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
  if (idHook != WH_CBT) {
    SetLastError(ERROR_INVALID_HOOK_FILTER);
    return nullptr;
  }
  if (!lpfn || (dwThreadId != 0 && dwThreadId != thread_state().thread_id)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HHOOK handle = reinterpret_cast<HHOOK>(next_hook.fetch_add(4));
  thread_state().cbt_hooks.push_back(Hook{handle, lpfn});
  return handle;
}

extern "C" BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
  auto& hooks = thread_state().cbt_hooks;
  auto it = std::find_if(hooks.begin(), hooks.end(), [hhk](const Hook& hook) { return hook.handle == hhk; });
  if (it == hooks.end()) {
    SetLastError(ERROR_INVALID_HOOK_HANDLE);
    return FALSE;
  }
  hooks.erase(it);
  return TRUE;
}

extern "C" LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
  const auto& hooks = thread_state().cbt_hooks;
  auto it = std::find_if(hooks.begin(), hooks.end(), [hhk](const Hook& hook) { return hook.handle == hhk; });
  if (it == hooks.end()) return 0;
  const auto position = static_cast<std::size_t>(it - hooks.begin());
  if (position == 0) return 0;
  const Hook next = hooks[position - 1];
  return next.proc(nCode, wParam, lParam);
}
