#include "platform/src/ui/window_manager.h"

namespace platform::ui {

bool click(HWND window) {
  detail::Window* target = detail::window_for_call(window);
  if (!target || !detail::visible_on_screen(*target) || !detail::enabled_with_ancestors(*target)) return false;
  RECT client;
  GetClientRect(window, &client);
  POINT at{client.right / 2, client.bottom / 2};
  POINT on_screen = at;
  ClientToScreen(window, &on_screen);
  SetCursorPos(on_screen.x, on_screen.y);
  return PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y)) &&
         PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

bool press_key(WPARAM virtual_key) {
  const HWND focus = GetFocus();
  if (!focus) return false;
  constexpr LPARAM repeat_once = 1;
  constexpr LPARAM released = static_cast<LPARAM>(0xC0000001u);
  return PostMessageW(focus, WM_KEYDOWN, virtual_key, repeat_once) &&
         PostMessageW(focus, WM_KEYUP, virtual_key, released);
}

std::vector<UINT> redraw_requests(HWND window) {
  detail::Window* target = detail::peek_window(window);
  return target ? target->redraw_requests : std::vector<UINT>{};
}

}  // namespace platform::ui
