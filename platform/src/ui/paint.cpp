#include <algorithm>

#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

RECT client_area(const Window& window) {
  return RECT{0, 0, window.client_rect.right - window.client_rect.left,
              window.client_rect.bottom - window.client_rect.top};
}

bool empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

bool includes_children(const Window& window, UINT flags) {
  if (flags & RDW_ALLCHILDREN) return true;
  if (flags & RDW_NOCHILDREN) return false;
  return !(window.style & WS_CLIPCHILDREN);
}

void validate(Window& window, const RECT* rect, bool children) {
  if (!rect || (rect->left <= window.update.left && rect->top <= window.update.top &&
                rect->right >= window.update.right && rect->bottom >= window.update.bottom)) {
    window.has_update = false;
    window.erase_pending = false;
    window.update = RECT{};
  }
  if (!children) return;
  for (HWND child : window.children) {
    if (Window* c = peek_window(child)) validate(*c, nullptr, true);
  }
}

void erase_now(HWND handle, bool children) {
  Window* window = peek_window(handle);
  if (!window) return;
  if (window->erase_pending && visible_on_screen(*window)) {
    window->erase_pending = false;
    HDC hdc = window_dc(handle);
    send(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    ReleaseDC(handle, hdc);
  }
  if (!children || !(window = peek_window(handle))) return;
  const std::vector<HWND> list = window->children;
  for (HWND child : list) erase_now(child, true);
}

void update_now(HWND handle, bool children) {
  Window* window = peek_window(handle);
  if (!window) return;
  if (needs_paint(*window)) {
    window->internal_paint = false;
    send(handle, WM_PAINT);
  }
  if (!children || !(window = peek_window(handle))) return;
  const std::vector<HWND> list = window->children;
  for (HWND child : list) update_now(child, true);
}

}  // namespace

void invalidate(Window& window, const RECT* rect, bool erase, bool children) {
  const RECT whole = client_area(window);
  RECT area = whole;
  if (rect) IntersectRect(&area, rect, &whole);
  if (!empty(area)) {
    if (window.has_update) {
      UnionRect(&window.update, &window.update, &area);
    } else {
      window.update = area;
      window.has_update = true;
    }
    if (erase) window.erase_pending = true;
  }
  if (!children) return;
  for (HWND child : window.children) {
    Window* c = peek_window(child);
    if (!c) continue;
    RECT part;
    if (!rect) {
      invalidate(*c, nullptr, erase, true);
    } else if (IntersectRect(&part, rect, &c->client_rect)) {
      OffsetRect(&part, -c->client_rect.left, -c->client_rect.top);
      invalidate(*c, &part, erase, true);
    }
  }
}

bool needs_paint(const Window& window) {
  return (window.has_update || window.internal_paint) && visible_on_screen(window);
}

}  // namespace platform::ui::detail

using namespace platform::ui::detail;

extern "C" BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  if (!hWnd) {
    for (HWND top : thread_state().top_levels) {
      if (Window* window = peek_window(top)) invalidate(*window, nullptr, bErase, true);
    }
    return TRUE;
  }
  Window* window = window_for_call(hWnd);
  if (!window) return FALSE;
  invalidate(*window, lpRect, bErase != FALSE, includes_children(*window, 0));
  return TRUE;
}

extern "C" BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
  Window* window = window_for_call(hWnd);
  if (!window) return FALSE;
  validate(*window, lpRect, false);
  return TRUE;
}

extern "C" BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
  Window* window = window_for_call(hWnd);
  if (!window) return FALSE;
  const bool has_update = window->has_update;
  if (lpRect) *lpRect = has_update ? window->update : RECT{};
  if (bErase && has_update) erase_now(hWnd, false);
  return has_update ? TRUE : FALSE;
}

extern "C" BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN, UINT flags) {
  if (!hWnd) return TRUE;
  Window* window = window_for_call(hWnd);
  if (!window) return FALSE;
  window->redraw_requests.push_back(flags);
  const bool children = includes_children(*window, flags);
  if (flags & RDW_INVALIDATE) {
    invalidate(*window, lprcUpdate, (flags & RDW_ERASE) != 0, children);
  }
  if (flags & RDW_INTERNALPAINT) window->internal_paint = true;
  if (flags & RDW_VALIDATE) validate(*window, lprcUpdate, children);
  if (flags & RDW_NOERASE) window->erase_pending = false;
  if (flags & RDW_NOINTERNALPAINT) window->internal_paint = false;
  if (flags & (RDW_ERASENOW | RDW_UPDATENOW)) erase_now(hWnd, children);
  if (flags & RDW_UPDATENOW) update_now(hWnd, children);
  return TRUE;
}

extern "C" BOOL WINAPI UpdateWindow(HWND hWnd) {
  if (!window_for_call(hWnd)) return FALSE;
  update_now(hWnd, true);
  return TRUE;
}

extern "C" HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  Window* window = window_for_call(hWnd);
  if (!window || !lpPaint) return nullptr;
  *lpPaint = PAINTSTRUCT{};
  HDC hdc = window_dc(hWnd);
  lpPaint->hdc = hdc;
  lpPaint->rcPaint = window->has_update ? window->update : RECT{};
  const bool erase = window->erase_pending;
  window->has_update = false;
  window->erase_pending = false;
  window->update = RECT{};
  window->internal_paint = false;
  if (erase) lpPaint->fErase = send(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
  return hdc;
}

extern "C" BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
  if (!lpPaint) return FALSE;
  ReleaseDC(hWnd, lpPaint->hdc);
  return TRUE;
}
