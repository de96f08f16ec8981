#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

bool visible_on_screen(const Window& window) {
  const Window* current = &window;
  while (current) {
    if (!(current->style & WS_VISIBLE)) return false;
    if (!(current->style & WS_CHILD)) return true;
    current = peek_window(current->parent);
  }
  return false;
}

bool enabled_with_ancestors(const Window& window) {
  const Window* current = &window;
  while (current) {
    if (current->style & WS_DISABLED) return false;
    if (!(current->style & WS_CHILD)) return true;
    current = peek_window(current->parent);
  }
  return false;
}

}  // namespace platform::ui::detail

using namespace platform::ui::detail;

extern "C" BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  Window* window = window_for_call(hWnd);
  if (!window) return FALSE;
  const BOOL was_visible = (window->style & WS_VISIBLE) ? TRUE : FALSE;
  const bool child = (window->style & WS_CHILD) != 0;

  if (nCmdShow == SW_HIDE) {
    if (!was_visible) return FALSE;
    send(hWnd, WM_SHOWWINDOW, FALSE, 0);
    if (!peek_window(hWnd)) return was_visible;
    set_window_pos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW | (child ? SWP_NOACTIVATE : 0u));
    // A hidden window gives the focus back to its parent.
    const HWND focus = thread_state().focus;
    if (child && focus && (focus == hWnd || IsChild(hWnd, focus))) {
      Window* w = peek_window(hWnd);
      SetFocus(w ? w->parent : nullptr);
      if (thread_state().focus == focus) thread_state().focus = nullptr;
    }
    return was_visible;
  }

  const bool activates = !child && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE &&
                         nCmdShow != SW_SHOWMINNOACTIVE;
  if (!was_visible) {
    send(hWnd, WM_SHOWWINDOW, TRUE, 0);
    if (!peek_window(hWnd)) return FALSE;
    set_window_pos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW | (activates ? 0u : SWP_NOACTIVATE));
  } else if (activates && thread_state().active != hWnd) {
    activate(hWnd, false);
  }
  if ((window = peek_window(hWnd)) && !window->sized_once) {
    window->sized_once = true;
    const RECT client = window->client_rect;
    send(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
    send(hWnd, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
  }
  return was_visible;
}

extern "C" BOOL WINAPI IsWindowVisible(HWND hWnd) {
  Window* window = window_for_call(hWnd);
  return window && visible_on_screen(*window) ? TRUE : FALSE;
}
