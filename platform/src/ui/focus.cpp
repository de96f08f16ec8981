#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

bool activate(HWND handle, bool by_mouse) {
  ThreadState& state = thread_state();
  const HWND previous = state.active;
  if (previous == handle) return true;
  CBTACTIVATESTRUCT cbt{by_mouse ? TRUE : FALSE, previous};
  if (handle && call_cbt_hooks(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(handle), reinterpret_cast<LPARAM>(&cbt))) {
    return false;
  }
  state.active = handle;
  if (peek_window(previous)) {
    send(previous, WM_NCACTIVATE, FALSE, 0);
    send(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(handle));
  }
  if (handle && state.active == handle && peek_window(handle)) {
    send(handle, WM_NCACTIVATE, TRUE, 0);
    send(handle, WM_ACTIVATE, MAKEWPARAM(by_mouse ? WA_CLICKACTIVE : WA_ACTIVE, 0),
         reinterpret_cast<LPARAM>(previous));
  }
  if (!handle && state.focus) SetFocus(nullptr);
  return true;
}

HWND set_focus(HWND handle) {
  ThreadState& state = thread_state();
  const HWND previous = state.focus;
  if (handle) {
    Window* window = peek_window(handle);
    // Neither a disabled window nor one inside a disabled window takes the focus.
    if (!window || !enabled_with_ancestors(*window)) return nullptr;
  }
  if (call_cbt_hooks(HCBT_SETFOCUS, reinterpret_cast<WPARAM>(handle), reinterpret_cast<LPARAM>(previous))) {
    return nullptr;
  }
  if (handle) {
    const HWND top = top_level_of(handle);
    if (top != state.active && !activate(top, false)) return nullptr;
    if (!peek_window(handle)) return nullptr;
  }
  if (state.focus == handle) return previous;
  state.focus = handle;
  if (previous && peek_window(previous)) send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
  if (handle && state.focus == handle) send(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

void forget_focus_in(HWND destroyed) {
  ThreadState& state = thread_state();
  if (state.focus == destroyed) state.focus = nullptr;
  if (state.active == destroyed) state.active = nullptr;
  if (state.capture == destroyed) state.capture = nullptr;
}

}  // namespace platform::ui::detail

using namespace platform::ui::detail;

extern "C" HWND WINAPI SetFocus(HWND hWnd) {
  if (hWnd && !window_for_call(hWnd)) return nullptr;
  return set_focus(hWnd);
}

extern "C" HWND WINAPI GetFocus() { return thread_state().focus; }

extern "C" HWND WINAPI SetActiveWindow(HWND hWnd) {
  if (hWnd && !window_for_call(hWnd)) return nullptr;
  const HWND previous = thread_state().active;
  const HWND top = hWnd ? top_level_of(hWnd) : nullptr;
  return activate(top, false) ? previous : nullptr;
}

extern "C" HWND WINAPI GetActiveWindow() { return thread_state().active; }
extern "C" HWND WINAPI GetForegroundWindow() { return thread_state().active; }

extern "C" BOOL WINAPI SetForegroundWindow(HWND hWnd) {
  if (!window_for_call(hWnd)) return FALSE;
  return activate(top_level_of(hWnd), false) ? TRUE : FALSE;
}

extern "C" HWND WINAPI SetCapture(HWND hWnd) {
  ThreadState& state = thread_state();
  const HWND previous = state.capture;
  if (hWnd && !window_for_call(hWnd)) return nullptr;
  state.capture = hWnd;
  if (previous && previous != hWnd && peek_window(previous)) {
    send(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
  }
  return previous;
}

extern "C" HWND WINAPI GetCapture() { return thread_state().capture; }

extern "C" BOOL WINAPI ReleaseCapture() {
  ThreadState& state = thread_state();
  const HWND previous = state.capture;
  state.capture = nullptr;
  if (previous && peek_window(previous)) send(previous, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}
