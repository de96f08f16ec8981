#include <cstdio>

#include "platform/winnls.h"
#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

bool in_range(UINT message, UINT min, UINT max) {
  if (min == 0 && max == 0) return true;
  if (min <= max) return message >= min && message <= max;
  return message >= min || message <= max;
}

HWND find_paint_window(const std::vector<HWND>& windows, HWND filter) {
  for (HWND handle : windows) {
    Window* window = peek_window(handle);
    if (!window || !(window->style & WS_VISIBLE)) continue;
    if (needs_paint(*window) && matches_filter(handle, filter)) return handle;
    if (HWND child = find_paint_window(window->children, filter)) return child;
  }
  return nullptr;
}

void stamp(MSG* msg) {
  msg->time = static_cast<DWORD>(now_ms());
  GetCursorPos(&msg->pt);
  thread_state().message_time = static_cast<LONG>(msg->time);
}

bool dialog_ended(HWND dialog) {
  Window* window = peek_window(dialog);
  return !window || (window->dialog && window->dialog->ended);
}

bool something_to_retrieve(HWND filter, UINT min, UINT max) {
  MSG msg;
  return peek_message(&msg, filter, min, max, PM_NOREMOVE);
}

}  // namespace

bool matches_filter(HWND message_window, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return message_window == nullptr;
  return message_window == filter || IsChild(filter, message_window);
}

bool peek_message(MSG* msg, HWND filter, UINT min, UINT max, UINT remove) {
  ThreadState& state = thread_state();
  {
    std::lock_guard lock(state.queue->mutex);
    auto& posted = state.queue->posted;
    for (auto it = posted.begin(); it != posted.end(); ++it) {
      if (!in_range(it->message, min, max) || !matches_filter(it->hwnd, filter)) continue;
      *msg = *it;
      if (remove & PM_REMOVE) posted.erase(it);
      thread_state().message_time = static_cast<LONG>(msg->time);
      return true;
    }
  }
  if (state.quit_posted && in_range(WM_QUIT, min, max) && matches_filter(nullptr, filter)) {
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(state.quit_code), 0, 0, POINT{}};
    stamp(msg);
    if (remove & PM_REMOVE) state.quit_posted = false;
    return true;
  }
  if (in_range(WM_PAINT, min, max)) {
    if (HWND target = find_paint_window(state.top_levels, filter)) {
      *msg = MSG{target, WM_PAINT, 0, 0, 0, POINT{}};
      stamp(msg);
      if (remove & PM_REMOVE) peek_window(target)->internal_paint = false;
      return true;
    }
  }
  if (in_range(WM_TIMER, min, max) && take_due_timer(filter, msg, (remove & PM_REMOVE) != 0)) {
    stamp(msg);
    return true;
  }
  return false;
}

bool wait_for_work(HWND filter, UINT min, UINT max, HWND modal_dialog, const char* caller) {
  ThreadState& state = thread_state();
  if (!state.idle_handlers.empty()) {
    const IdleHandler idle = state.idle_handlers.back();
    idle(modal_dialog);
    if (something_to_retrieve(filter, min, max) || (modal_dialog && dialog_ended(modal_dialog))) return true;
  }
  std::uint64_t due = 0;
  if (in_range(WM_TIMER, min, max) && next_timer_due(filter, &due)) {
    if (virtual_clock_in_use()) {
      if (due > now_ms()) set_virtual_now(due);
    } else {
      std::unique_lock lock(state.queue->mutex);
      const std::uint64_t now = now_ms();
      if (due > now && state.queue->posted.empty()) {
        state.queue->posted_or_woken.wait_for(lock, std::chrono::milliseconds(due - now));
      }
    }
    return true;
  }
  std::string what = modal_dialog
                         ? std::string("the modal loop of dialog ") + platform::to_utf8(dialog_label(modal_dialog))
                         : std::string("the message loop");
  state.last_wait_failure = std::string(caller) + ": " + what +
                            " would wait for ever: no message is queued, no timer is pending and no driver "
                            "supplied input (install a platform::ui::ScopedDriver to play the user)";
  std::fprintf(stderr, "%s\n", state.last_wait_failure.c_str());
  SetLastError(ERROR_POSSIBLE_DEADLOCK);
  return false;
}

}  // namespace platform::ui::detail

namespace platform::ui {

std::string last_wait_failure() { return detail::thread_state().last_wait_failure; }

}  // namespace platform::ui

using namespace platform::ui::detail;

extern "C" BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<MessageQueue> queue;
  if (hWnd) {
    std::thread::id owner;
    queue = WindowTable::instance().queue_of(hWnd, &owner);
    if (!queue) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
  } else {
    queue = thread_state().queue;
  }
  MSG msg{hWnd, Msg, wParam, lParam, static_cast<DWORD>(now_ms()), POINT{}};
  GetCursorPos(&msg.pt);
  {
    std::lock_guard lock(queue->mutex);
    queue->posted.push_back(msg);
  }
  queue->posted_or_woken.notify_all();
  return TRUE;
}

extern "C" void WINAPI PostQuitMessage(int nExitCode) {
  thread_state().quit_posted = true;
  thread_state().quit_code = nExitCode;
}

extern "C" BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (!lpMsg) return FALSE;
  if (hWnd && hWnd != reinterpret_cast<HWND>(-1) && !window_for_call(hWnd)) return FALSE;
  return peek_message(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg) ? TRUE : FALSE;
}

extern "C" BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (!lpMsg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (hWnd && hWnd != reinterpret_cast<HWND>(-1) && !window_for_call(hWnd)) return -1;
  while (!peek_message(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE)) {
    if (!wait_for_work(hWnd, wMsgFilterMin, wMsgFilterMax, nullptr, "GetMessageW")) return -1;
  }
  return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

extern "C" BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
  if (!lpMsg) return FALSE;
  if (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_KEYUP && lpMsg->message != WM_SYSKEYDOWN &&
      lpMsg->message != WM_SYSKEYUP) {
    return FALSE;
  }
  if (lpMsg->message != WM_KEYDOWN) return TRUE;
  const WPARAM key = lpMsg->wParam;
  WCHAR character = 0;
  if (key >= 'A' && key <= 'Z') {
    character = static_cast<WCHAR>(key - 'A' + 'a');  // no shift state is tracked
  } else if ((key >= '0' && key <= '9') || key == VK_SPACE || key == VK_RETURN || key == VK_ESCAPE || key == VK_TAB ||
             key == VK_BACK) {
    character = static_cast<WCHAR>(key);
  }
  if (character) {
    // The character comes next, before anything already queued.
    auto queue = thread_state().queue;
    std::lock_guard lock(queue->mutex);
    queue->posted.push_front(MSG{lpMsg->hwnd, WM_CHAR, character, lpMsg->lParam, lpMsg->time, lpMsg->pt});
  }
  return TRUE;
}

extern "C" LRESULT WINAPI DispatchMessageW(const MSG* lpMsg) {
  if (!lpMsg) return 0;
  if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
    reinterpret_cast<TIMERPROC>(lpMsg->lParam)(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, platform::ui::clock_ms());
    return 0;
  }
  if (!lpMsg->hwnd) return 0;
  Window* window = window_for_call(lpMsg->hwnd);
  if (!window) return 0;
  return window->proc(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

extern "C" LONG WINAPI GetMessageTime() { return thread_state().message_time; }
