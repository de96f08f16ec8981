#include <algorithm>

#include "platform/src/ui/control_support.h"
#include "platform/src/ui/controls.h"
#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

DWORD kind_of(HWND button) { return static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE)) & BS_TYPEMASK; }

UINT state_of(HWND button) { return static_cast<UINT>(GetWindowLongPtrW(button, button_state_offset)); }

void set_state(HWND button, UINT state) {
  if (state != state_of(button)) {
    SetWindowLongPtrW(button, button_state_offset, static_cast<LONG_PTR>(state));
    InvalidateRect(button, nullptr, TRUE);
  }
}

bool checkable(DWORD kind) {
  return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_3STATE ||
         kind == BS_AUTO3STATE || kind == BS_AUTORADIOBUTTON;
}

// An automatic radio button clears the others of its group (from the WS_GROUP sibling before
// it up to the next one).
void clear_radio_group(HWND button) {
  Window* self = peek_window(button);
  Window* parent = self ? peek_window(self->parent) : nullptr;
  if (!parent) return;
  const std::vector<HWND> siblings = parent->children;
  auto at = std::find(siblings.begin(), siblings.end(), button);
  if (at == siblings.end()) return;
  auto first = at;
  while (first != siblings.begin() && !(peek_window(*first)->style & WS_GROUP)) --first;
  for (auto it = first; it != siblings.end(); ++it) {
    Window* sibling = peek_window(*it);
    if (it != first && (sibling->style & WS_GROUP)) break;
    if (*it != button && (sibling->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) SendMessageW(*it, BM_SETCHECK, 0, 0);
  }
}

void clicked(HWND button) {
  const DWORD kind = kind_of(button);
  const UINT check = state_of(button) & 3;
  if (kind == BS_AUTOCHECKBOX) SendMessageW(button, BM_SETCHECK, check ? BST_UNCHECKED : BST_CHECKED, 0);
  if (kind == BS_AUTO3STATE) SendMessageW(button, BM_SETCHECK, (check + 1) % 3, 0);
  if (kind == BS_AUTORADIOBUTTON) {
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    clear_radio_group(button);
  }
  notify_parent(button, BN_CLICKED);
}

LRESULT dialog_code(DWORD kind) {
  switch (kind) {
    case BS_PUSHBUTTON:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
      return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
      return DLGC_STATIC;
    default:
      return DLGC_BUTTON;
  }
}

}  // namespace

LRESULT CALLBACK button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (handle_font_message(window, message, wparam, lparam, &result)) return result;
  switch (message) {
    case WM_GETDLGCODE:
      return dialog_code(kind_of(window));
    case BM_GETCHECK:
      return state_of(window) & 3;
    case BM_SETCHECK:
      if (checkable(kind_of(window))) {
        UINT check = static_cast<UINT>(wparam) & 3;
        if (check == BST_INDETERMINATE && kind_of(window) != BS_3STATE && kind_of(window) != BS_AUTO3STATE) {
          check = BST_CHECKED;
        }
        set_state(window, (state_of(window) & ~3u) | check);
      }
      return 0;
    case BM_GETSTATE:
      return state_of(window);
    case BM_SETSTATE:
      set_state(window, wparam ? (state_of(window) | BST_PUSHED) : (state_of(window) & ~BST_PUSHED));
      return 0;
    case BM_SETSTYLE: {
      const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
      SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>((style & ~0xFFFFu) | (wparam & 0xFFFF)));
      if (lparam) InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case BM_CLICK:
      if (!IsWindowEnabled(window)) return 0;
      SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      SendMessageW(window, WM_LBUTTONUP, 0, 0);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      SetFocus(window);
      set_state(window, state_of(window) | BST_PUSHED);
      return 0;
    case WM_LBUTTONUP: {
      const bool pushed = (state_of(window) & BST_PUSHED) != 0;
      set_state(window, state_of(window) & ~BST_PUSHED);
      if (GetCapture() == window) ReleaseCapture();
      RECT client;
      GetClientRect(window, &client);
      const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      if (pushed && PtInRect(&client, at)) clicked(window);
      return 0;
    }
    case WM_KEYDOWN:
      if (wparam == VK_SPACE) set_state(window, state_of(window) | BST_PUSHED);
      return 0;
    case WM_KEYUP:
      if (wparam == VK_SPACE && (state_of(window) & BST_PUSHED)) {
        set_state(window, state_of(window) & ~BST_PUSHED);
        clicked(window);
      }
      return 0;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_PAINT:
      paint_text(window, DT_CENTER | DT_VCENTER | DT_SINGLELINE, COLOR_BTNTEXT);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace platform::ui::detail
