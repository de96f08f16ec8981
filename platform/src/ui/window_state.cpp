#include <algorithm>
#include <cstring>

#include "platform/src/ui/window_manager.h"

using namespace platform::ui::detail;

namespace {

bool extra_index_ok(const Window& window, int index, std::size_t width) {
  return index >= 0 && static_cast<std::size_t>(index) + width <= window.extra.size();
}

void set_style(HWND handle, int index, DWORD value) {
  Window* window = peek_window(handle);
  STYLESTRUCT change{index == GWL_STYLE ? window->style : window->ex_style, value};
  send(handle, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  if (!(window = peek_window(handle))) return;
  (index == GWL_STYLE ? window->style : window->ex_style) = change.styleNew;
  send(handle, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
}

}  // namespace

extern "C" LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex) {
  Window* window = window_for_call(hWnd);
  if (!window) return 0;
  switch (nIndex) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(window->proc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>((window->style & WS_CHILD) ? window->parent : window->owner);
    case GWLP_ID:
      return window->id;
    case GWL_STYLE:
      return static_cast<LONG_PTR>(window->style);
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(window->ex_style);
    case GWLP_USERDATA:
      return window->user_data;
    default:
      if (!extra_index_ok(*window, nIndex, sizeof(LONG_PTR))) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
      }
      LONG_PTR value;
      std::memcpy(&value, window->extra.data() + nIndex, sizeof value);
      return value;
  }
}

extern "C" LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  Window* window = window_for_call(hWnd);
  if (!window) return 0;
  LONG_PTR previous = 0;
  switch (nIndex) {
    case GWLP_WNDPROC:
      if (!dwNewLong) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
      previous = reinterpret_cast<LONG_PTR>(window->proc);
      window->proc = reinterpret_cast<WNDPROC>(dwNewLong);
      break;
    case GWLP_HINSTANCE:
      previous = reinterpret_cast<LONG_PTR>(window->instance);
      window->instance = reinterpret_cast<HINSTANCE>(dwNewLong);
      break;
    case GWLP_HWNDPARENT:
      // For a top-level window this sets the owner, as on Windows.
      if (window->style & WS_CHILD) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
      previous = reinterpret_cast<LONG_PTR>(window->owner);
      window->owner = top_level_of(reinterpret_cast<HWND>(dwNewLong));
      break;
    case GWLP_ID:
      previous = window->id;
      window->id = dwNewLong;
      break;
    case GWL_STYLE:
    case GWL_EXSTYLE:
      previous = static_cast<LONG_PTR>(nIndex == GWL_STYLE ? window->style : window->ex_style);
      set_style(hWnd, nIndex, static_cast<DWORD>(dwNewLong));
      break;
    case GWLP_USERDATA:
      previous = window->user_data;
      window->user_data = dwNewLong;
      break;
    default:
      if (!extra_index_ok(*window, nIndex, sizeof(LONG_PTR))) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
      }
      std::memcpy(&previous, window->extra.data() + nIndex, sizeof previous);
      std::memcpy(window->extra.data() + nIndex, &dwNewLong, sizeof dwNewLong);
      break;
  }
  // A previous value of 0 is told apart from failure by a cleared last error.
  if (previous == 0) SetLastError(ERROR_SUCCESS);
  return previous;
}

extern "C" LONG WINAPI GetWindowLongW(HWND hWnd, int nIndex) {
  Window* window = window_for_call(hWnd);
  if (!window) return 0;
  if (nIndex >= 0) {
    if (!extra_index_ok(*window, nIndex, sizeof(LONG))) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG value;
    std::memcpy(&value, window->extra.data() + nIndex, sizeof value);
    return value;
  }
  return static_cast<LONG>(GetWindowLongPtrW(hWnd, nIndex));
}

extern "C" LONG WINAPI SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong) {
  Window* window = window_for_call(hWnd);
  if (!window) return 0;
  if (nIndex >= 0) {
    if (!extra_index_ok(*window, nIndex, sizeof(LONG))) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG previous;
    std::memcpy(&previous, window->extra.data() + nIndex, sizeof previous);
    std::memcpy(window->extra.data() + nIndex, &dwNewLong, sizeof dwNewLong);
    if (previous == 0) SetLastError(ERROR_SUCCESS);
    return previous;
  }
  const LONG_PTR value = (nIndex == GWL_STYLE || nIndex == GWL_EXSTYLE)
                             ? static_cast<LONG_PTR>(static_cast<DWORD>(dwNewLong))
                             : static_cast<LONG_PTR>(dwNewLong);
  return static_cast<LONG>(SetWindowLongPtrW(hWnd, nIndex, value));
}

extern "C" BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
  if (!window_for_call(hWnd)) return FALSE;
  return SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

extern "C" int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) {
  if (!lpString || nMaxCount <= 0) return 0;
  lpString[0] = u'\0';
  if (!window_for_call(hWnd)) return 0;
  return static_cast<int>(
      SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

extern "C" int WINAPI GetWindowTextLengthW(HWND hWnd) {
  if (!window_for_call(hWnd)) return 0;
  return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

extern "C" BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  Window* window = window_for_call(hWnd);
  if (!window) return FALSE;
  const BOOL was_disabled = (window->style & WS_DISABLED) ? TRUE : FALSE;
  if (bEnable && was_disabled) {
    window->style &= ~WS_DISABLED;
    send(hWnd, WM_ENABLE, TRUE);
  } else if (!bEnable && !was_disabled) {
    send(hWnd, WM_CANCELMODE);
    if (!(window = peek_window(hWnd))) return FALSE;
    window->style |= WS_DISABLED;
    // A disabled window can hold neither the focus nor the capture.
    const HWND focus = thread_state().focus;
    if (focus && (focus == hWnd || IsChild(hWnd, focus))) SetFocus(nullptr);
    if (thread_state().capture == hWnd) ReleaseCapture();
    send(hWnd, WM_ENABLE, FALSE);
  }
  return was_disabled;
}

extern "C" BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  Window* window = window_for_call(hWnd);
  return window && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}
