#include <atomic>

#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {
std::atomic<DWORD> next_thread_id{0x100};
}

ThreadState& thread_state() {
  thread_local ThreadState state = [] {
    ThreadState fresh;
    fresh.thread_id = next_thread_id.fetch_add(4);
    return fresh;
  }();
  return state;
}

WindowTable& WindowTable::instance() {
  static WindowTable table;
  return table;
}

HWND WindowTable::add(std::unique_ptr<Window> window) {
  std::lock_guard lock(mutex_);
  // Handles are never reused, so a destroyed window's handle stays invalid.
  HWND handle = reinterpret_cast<HWND>(next_handle_);
  next_handle_ += 4;
  window->handle = handle;
  windows_.emplace(handle, std::move(window));
  return handle;
}

std::unique_ptr<Window> WindowTable::remove(HWND handle) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(handle);
  if (it == windows_.end()) return nullptr;
  auto window = std::move(it->second);
  windows_.erase(it);
  return window;
}

Window* WindowTable::find(HWND handle) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : it->second.get();
}

std::shared_ptr<MessageQueue> WindowTable::queue_of(HWND handle, std::thread::id* thread) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(handle);
  if (it == windows_.end()) return nullptr;
  *thread = it->second->thread;
  return it->second->queue;
}

DWORD WindowTable::thread_id_of(HWND handle) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(handle);
  return it == windows_.end() ? 0 : it->second->thread_id;
}

std::size_t WindowTable::size() {
  std::lock_guard lock(mutex_);
  return windows_.size();
}

Window* window_for_call(HWND handle) {
  std::thread::id owner;
  if (!handle || !WindowTable::instance().queue_of(handle, &owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (owner != std::this_thread::get_id()) {
    SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
    return nullptr;
  }
  return WindowTable::instance().find(handle);
}

Window* peek_window(HWND handle) {
  if (!handle) return nullptr;
  Window* window = WindowTable::instance().find(handle);
  return window && window->thread == std::this_thread::get_id() ? window : nullptr;
}

LRESULT send(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* window = peek_window(handle);
  if (!window || !window->proc) return 0;
  return window->proc(handle, message, wparam, lparam);
}

}  // namespace platform::ui::detail

namespace platform::ui {

std::size_t live_window_count() { return detail::WindowTable::instance().size(); }

}  // namespace platform::ui

using namespace platform::ui::detail;

extern "C" BOOL WINAPI IsWindow(HWND hWnd) {
  std::thread::id owner;
  return hWnd && WindowTable::instance().queue_of(hWnd, &owner) ? TRUE : FALSE;
}

extern "C" DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
  const DWORD thread = hWnd ? WindowTable::instance().thread_id_of(hWnd) : 0;
  if (!thread) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (lpdwProcessId) *lpdwProcessId = 1;
  return thread;
}

extern "C" LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* window = window_for_call(hWnd);
  if (!window) return 0;
  return window->proc(hWnd, Msg, wParam, lParam);
}

extern "C" LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                                          LPARAM lParam) {
  return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}
