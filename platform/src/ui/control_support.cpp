#include "platform/src/ui/control_support.h"

#include "platform/src/ui/window_manager.h"
#include "platform/wingdi.h"

namespace platform::ui::detail {

bool handle_font_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  Window* control = peek_window(window);
  if (!control) return false;
  if (message == WM_SETFONT) {
    control->font = reinterpret_cast<HFONT>(wparam);
    if (lparam) InvalidateRect(window, nullptr, TRUE);
    *result = 0;
    return true;
  }
  if (message == WM_GETFONT) {
    *result = reinterpret_cast<LRESULT>(control->font);
    return true;
  }
  return false;
}

void notify_parent(HWND control, WORD code) {
  const HWND parent = GetParent(control);
  if (!parent) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

void paint_text(HWND control, UINT format, int colour_index) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(control, &ps);
  if (!hdc) return;
  Window* window = peek_window(control);
  if (window && !window->text.empty()) {
    RECT client;
    GetClientRect(control, &client);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor((window->style & WS_DISABLED) ? COLOR_GRAYTEXT : colour_index));
    const std::u16string text = window->text;
    DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &client, format);
  }
  EndPaint(control, &ps);
}

}  // namespace platform::ui::detail
