#include <algorithm>

#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

constexpr int caption_height = 23;
constexpr int border = 1;
constexpr int dialog_frame = 3;
constexpr int sizing_frame = 4;
constexpr int edge = 2;
constexpr int menu_height = 20;

RECT offset(RECT rect, LONG dx, LONG dy) { return RECT{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy}; }

POINT origin_of_client_in_screen(HWND handle) {
  Window* window = peek_window(handle);
  if (!window) return POINT{0, 0};
  const RECT client = client_in_screen(*window);
  return POINT{client.left, client.top};
}

bool same_rect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

RECT non_client_insets(DWORD style, DWORD ex_style) {
  LONG frame = 0;
  if (style & WS_THICKFRAME) {
    frame = sizing_frame;
  } else if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME)) {
    frame = dialog_frame;
  } else if (style & WS_BORDER) {
    frame = border;
  }
  if (ex_style & WS_EX_CLIENTEDGE) frame += edge;
  if (ex_style & WS_EX_STATICEDGE) frame += border;
  RECT insets{frame, frame, frame, frame};
  if ((style & WS_CAPTION) == WS_CAPTION) insets.top += caption_height;
  return insets;
}

RECT window_in_screen(const Window& window) {
  if (!(window.style & WS_CHILD)) return window.window_rect;
  const POINT origin = origin_of_client_in_screen(window.parent);
  return offset(window.window_rect, origin.x, origin.y);
}

RECT client_in_screen(const Window& window) {
  if (!(window.style & WS_CHILD)) return window.client_rect;
  const POINT origin = origin_of_client_in_screen(window.parent);
  return offset(window.client_rect, origin.x, origin.y);
}

BOOL set_window_pos(HWND handle, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
  Window* window = peek_window(handle);
  if (!window) return FALSE;
  const RECT old_window = window->window_rect;
  const RECT old_client = window->client_rect;
  const bool was_visible = (window->style & WS_VISIBLE) != 0;
  if (flags & SWP_NOMOVE) {
    x = old_window.left;
    y = old_window.top;
  }
  if (flags & SWP_NOSIZE) {
    cx = old_window.right - old_window.left;
    cy = old_window.bottom - old_window.top;
  }
  cx = std::max(cx, 0);
  cy = std::max(cy, 0);
  if (x == old_window.left && y == old_window.top) flags |= SWP_NOMOVE;
  if (cx == old_window.right - old_window.left && cy == old_window.bottom - old_window.top) flags |= SWP_NOSIZE;
  if (was_visible) flags &= ~SWP_SHOWWINDOW;
  if (!was_visible) flags &= ~SWP_HIDEWINDOW;

  WINDOWPOS pos{handle, insert_after, x, y, cx, cy, flags};
  if (!(flags & SWP_NOSENDCHANGING)) {
    send(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(window = peek_window(handle))) return FALSE;
  }
  const RECT new_window{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
  RECT new_client = offset(old_client, new_window.left - old_window.left, new_window.top - old_window.top);
  if (!(pos.flags & SWP_NOSIZE) || (pos.flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = new_window;
    params.rgrc[1] = old_window;
    params.rgrc[2] = old_client;
    params.lppos = &pos;
    send(handle, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    if (!(window = peek_window(handle))) return FALSE;
    new_client = params.rgrc[0];
  }
  window->window_rect = new_window;
  window->client_rect = new_client;
  if (pos.flags & SWP_SHOWWINDOW) window->style |= WS_VISIBLE;
  if (pos.flags & SWP_HIDEWINDOW) window->style &= ~WS_VISIBLE;
  if (new_client.right - new_client.left == old_client.right - old_client.left &&
      new_client.bottom - new_client.top == old_client.bottom - old_client.top) {
    pos.flags |= swp_noclientsize;
  }
  if (new_client.left == old_client.left && new_client.top == old_client.top) pos.flags |= swp_noclientmove;

  const bool changed_area = !same_rect(new_window, old_window) || (pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW));
  if (!(pos.flags & SWP_NOREDRAW) && changed_area) {
    if (window->style & WS_VISIBLE) invalidate(*window, nullptr, true, true);
    // What the window uncovered in its parent needs painting there.
    if ((window->style & WS_CHILD) && was_visible) {
      if (Window* parent = peek_window(window->parent)) invalidate(*parent, &old_window, true, false);
    }
  }

  send(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (!(window = peek_window(handle))) return TRUE;
  const bool top_level = !(window->style & WS_CHILD);
  if (top_level && (pos.flags & SWP_SHOWWINDOW) && !(pos.flags & SWP_NOACTIVATE)) activate(handle, false);
  if (top_level && (pos.flags & SWP_HIDEWINDOW) && thread_state().active == handle) {
    Window* owner = peek_window(window->owner);
    activate(owner && (owner->style & WS_VISIBLE) && !(owner->style & WS_DISABLED) ? owner->handle : nullptr, false);
  }
  return TRUE;
}

}  // namespace platform::ui::detail

using namespace platform::ui::detail;

extern "C" BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
  if (!window_for_call(hWnd)) return FALSE;
  return set_window_pos(hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags);
}

extern "C" BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  if (!window_for_call(hWnd)) return FALSE;
  return set_window_pos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0u : SWP_NOREDRAW));
}

extern "C" BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  if (!lpRect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hWnd == desktop_window) {
    *lpRect = RECT{0, 0, screen_width, screen_height};
    return TRUE;
  }
  Window* window = window_for_call(hWnd);
  if (!window) return FALSE;
  *lpRect = window_in_screen(*window);
  return TRUE;
}

extern "C" BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  if (!lpRect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hWnd == desktop_window) {
    *lpRect = RECT{0, 0, screen_width, screen_height};
    return TRUE;
  }
  Window* window = window_for_call(hWnd);
  if (!window) return FALSE;
  *lpRect = RECT{0, 0, window->client_rect.right - window->client_rect.left,
                 window->client_rect.bottom - window->client_rect.top};
  return TRUE;
}

extern "C" BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  Window* window = window_for_call(hWnd);
  if (!window || !lpPoint) return FALSE;
  const RECT client = client_in_screen(*window);
  lpPoint->x += client.left;
  lpPoint->y += client.top;
  return TRUE;
}

extern "C" BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  Window* window = window_for_call(hWnd);
  if (!window || !lpPoint) return FALSE;
  const RECT client = client_in_screen(*window);
  lpPoint->x -= client.left;
  lpPoint->y -= client.top;
  return TRUE;
}

extern "C" int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
  POINT from{0, 0};
  POINT to{0, 0};
  if (hWndFrom && hWndFrom != desktop_window) {
    Window* window = window_for_call(hWndFrom);
    if (!window) return 0;
    const RECT client = client_in_screen(*window);
    from = POINT{client.left, client.top};
  }
  if (hWndTo && hWndTo != desktop_window) {
    Window* window = window_for_call(hWndTo);
    if (!window) return 0;
    const RECT client = client_in_screen(*window);
    to = POINT{client.left, client.top};
  }
  const LONG dx = from.x - to.x;
  const LONG dy = from.y - to.y;
  for (UINT i = 0; lpPoints && i < cPoints; ++i) {
    lpPoints[i].x += dx;
    lpPoints[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

extern "C" BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
  if (!lpRect) return FALSE;
  const RECT insets = non_client_insets(dwStyle, dwExStyle);
  lpRect->left -= insets.left;
  lpRect->top -= insets.top + (bMenu ? menu_height : 0);
  lpRect->right += insets.right;
  lpRect->bottom += insets.bottom;
  return TRUE;
}

extern "C" int WINAPI GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXSCREEN:
      return screen_width;
    case SM_CYSCREEN:
      return screen_height;
    case SM_CYCAPTION:
      return caption_height;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return border;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return dialog_frame;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return sizing_frame;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return edge;
    case SM_CYMENU:
      return menu_height;
    default:
      return 0;
  }
}
