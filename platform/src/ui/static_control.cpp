#include "platform/src/ui/control_support.h"
#include "platform/src/ui/controls.h"
#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

LRESULT CALLBACK static_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (handle_font_message(window, message, wparam, lparam, &result)) return result;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_LBUTTONUP:
      if (style & SS_NOTIFY) notify_parent(window, STN_CLICKED);
      return 0;
    case WM_SETTEXT:
      DefWindowProcW(window, message, wparam, lparam);
      InvalidateRect(window, nullptr, TRUE);
      return TRUE;
    case WM_PAINT: {
      const DWORD kind = style & 0x1F;
      const UINT format = kind == SS_CENTER ? DT_CENTER : kind == SS_RIGHT ? DT_RIGHT : DT_LEFT;
      paint_text(window, format | DT_WORDBREAK, COLOR_WINDOWTEXT);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

LRESULT CALLBACK plain_control_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (handle_font_message(window, message, wparam, lparam, &result)) return result;
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace platform::ui::detail
