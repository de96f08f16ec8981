#include <algorithm>

#include "platform/src/ui/window_manager.h"
#include "platform/wingdi.h"

using namespace platform::ui::detail;

namespace {

constexpr WPARAM sc_close = 0xF060;

void shrink_to_client(HWND handle, RECT* rect) {
  Window* window = peek_window(handle);
  if (!window) return;
  const RECT insets = non_client_insets(window->style, window->ex_style);
  rect->left += insets.left;
  rect->top += insets.top;
  rect->right = std::max(rect->left, rect->right - insets.right);
  rect->bottom = std::max(rect->top, rect->bottom - insets.bottom);
}

LRESULT control_colours(HWND, UINT message, WPARAM wparam) {
  HDC hdc = reinterpret_cast<HDC>(wparam);
  const bool white = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(hdc, GetSysColor(white ? COLOR_WINDOW : COLOR_3DFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(white ? COLOR_WINDOW : COLOR_3DFACE));
}

}  // namespace

extern "C" LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* window = window_for_call(hWnd);
  if (!window) return 0;
  switch (Msg) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      // A title given as an ordinal (0xFFFF, n) names a resource, not a text.
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName) && cs->lpszName[0] != 0xFFFF) {
        window->text = cs->lpszName;
      }
      return TRUE;
    }
    case WM_NCCALCSIZE:
      if (lParam) {
        RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        shrink_to_client(hWnd, rect);
      }
      return 0;
    case WM_SETTEXT:
      window->text = lParam ? std::u16string(reinterpret_cast<LPCWSTR>(lParam)) : std::u16string();
      return TRUE;
    case WM_GETTEXT: {
      if (wParam == 0 || !lParam) return 0;
      auto* buffer = reinterpret_cast<LPWSTR>(lParam);
      const std::size_t count = std::min<std::size_t>(window->text.size(), wParam - 1);
      std::copy_n(window->text.begin(), count, buffer);
      buffer[count] = u'\0';
      return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(window->text.size());
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      const RECT client = window->client_rect;
      if (!(pos->flags & swp_noclientsize)) window->sized_once = true;
      if (!(pos->flags & swp_noclientmove)) send(hWnd, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
      if (!(pos->flags & swp_noclientsize)) {
        send(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
      }
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !(window->style & WS_MINIMIZE)) SetFocus(hWnd);
      return 0;
    case WM_NCACTIVATE:
      return TRUE;
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_MOUSEACTIVATE:
      return 1;
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == sc_close) send(hWnd, WM_CLOSE);
      return 0;
    case WM_ERASEBKGND: {
      HBRUSH brush = window->window_class->background;
      if (!brush) return 0;
      RECT client;
      GetClientRect(hWnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hWnd, &ps);
      EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return control_colours(hWnd, Msg, wParam);
    default:
      return 0;
  }
}
