#include <algorithm>

#include "platform/src/ui/control_support.h"
#include "platform/src/ui/controls.h"
#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

constexpr int selection_start_offset = 0;
constexpr int selection_end_offset = static_cast<int>(sizeof(LONG_PTR));
constexpr int limit_offset = 2 * static_cast<int>(sizeof(LONG_PTR));
constexpr LONG_PTR default_limit = 32767;

LONG_PTR get(HWND edit, int offset) { return GetWindowLongPtrW(edit, offset); }
void put(HWND edit, int offset, LONG_PTR value) { SetWindowLongPtrW(edit, offset, value); }

std::u16string& text_of(HWND edit) { return peek_window(edit)->text; }

LONG_PTR limit_of(HWND edit) {
  const LONG_PTR limit = get(edit, limit_offset);
  return limit > 0 ? limit : default_limit;
}

void select(HWND edit, LONG_PTR start, LONG_PTR end) {
  const auto length = static_cast<LONG_PTR>(text_of(edit).size());
  if (start < 0) {  // -1 removes the selection, leaving the caret where it is
    start = end = get(edit, selection_end_offset);
  }
  if (end < 0 || end > length) end = length;
  start = std::clamp<LONG_PTR>(start, 0, length);
  put(edit, selection_start_offset, std::min(start, end));
  put(edit, selection_end_offset, std::max(start, end));
}

// Replaces the selection; false (with a beep) when the text would pass the limit.
bool replace_selection(HWND edit, std::u16string_view with) {
  std::u16string& text = text_of(edit);
  const auto start = static_cast<std::size_t>(std::clamp<LONG_PTR>(get(edit, selection_start_offset), 0,
                                                                   static_cast<LONG_PTR>(text.size())));
  const auto end = static_cast<std::size_t>(
      std::clamp<LONG_PTR>(get(edit, selection_end_offset), static_cast<LONG_PTR>(start), static_cast<LONG_PTR>(text.size())));
  if (static_cast<LONG_PTR>(text.size() - (end - start) + with.size()) > limit_of(edit)) {
    MessageBeep(0);
    return false;
  }
  text.replace(start, end - start, with);
  const auto caret = static_cast<LONG_PTR>(start + with.size());
  put(edit, selection_start_offset, caret);
  put(edit, selection_end_offset, caret);
  InvalidateRect(edit, nullptr, TRUE);
  return true;
}

void typed(HWND edit, WCHAR character) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(edit, GWL_STYLE));
  if (style & ES_READONLY) return;
  if (character == VK_BACK) {
    if (get(edit, selection_start_offset) == get(edit, selection_end_offset)) {
      const LONG_PTR caret = get(edit, selection_start_offset);
      if (caret == 0) return;
      put(edit, selection_start_offset, caret - 1);
    }
    if (replace_selection(edit, u"")) notify_parent(edit, EN_CHANGE);
    return;
  }
  if (character == u'\r') {
    if (!(style & ES_MULTILINE)) return;
    if (replace_selection(edit, u"\r\n")) notify_parent(edit, EN_CHANGE);
    return;
  }
  if (character < 0x20) return;
  if ((style & ES_NUMBER) && (character < u'0' || character > u'9')) {
    MessageBeep(0xFFFFFFFF);
    return;
  }
  if (replace_selection(edit, std::u16string_view(&character, 1))) notify_parent(edit, EN_CHANGE);
}

}  // namespace

LRESULT CALLBACK edit_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (handle_font_message(window, message, wparam, lparam, &result)) return result;
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (GetWindowLongPtrW(window, GWL_STYLE) & ES_MULTILINE) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_SETTEXT: {
      DefWindowProcW(window, message, wparam, lparam);
      put(window, selection_start_offset, 0);
      put(window, selection_end_offset, 0);
      InvalidateRect(window, nullptr, TRUE);
      // A single-line edit tells its parent of any change, a multi-line one not of WM_SETTEXT.
      if (!(GetWindowLongPtrW(window, GWL_STYLE) & ES_MULTILINE)) notify_parent(window, EN_CHANGE);
      return TRUE;
    }
    case WM_CHAR:
      typed(window, static_cast<WCHAR>(wparam));
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      return 0;
    case WM_SETFOCUS:
      notify_parent(window, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      notify_parent(window, EN_KILLFOCUS);
      return 0;
    case EM_GETSEL: {
      const auto start = static_cast<DWORD>(get(window, selection_start_offset));
      const auto end = static_cast<DWORD>(get(window, selection_end_offset));
      if (wparam) *reinterpret_cast<DWORD*>(wparam) = start;
      if (lparam) *reinterpret_cast<DWORD*>(lparam) = end;
      return MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL:
      select(window, static_cast<LONG_PTR>(static_cast<INT_PTR>(wparam)), static_cast<LONG_PTR>(lparam));
      return 0;
    case EM_REPLACESEL:
      if (lparam && replace_selection(window, reinterpret_cast<LPCWSTR>(lparam))) notify_parent(window, EN_CHANGE);
      return 0;
    case EM_SETLIMITTEXT:
      put(window, limit_offset, wparam ? static_cast<LONG_PTR>(wparam) : 0x7FFFFFFE);
      return 0;
    case EM_SETREADONLY: {
      const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
      SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(wparam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
      return TRUE;
    }
    case WM_PAINT: {
      const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
      UINT format = (style & ES_CENTER) ? DT_CENTER : (style & ES_RIGHT) ? DT_RIGHT : DT_LEFT;
      format |= (style & ES_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
      paint_text(window, format | DT_NOPREFIX, COLOR_WINDOWTEXT);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace platform::ui::detail
