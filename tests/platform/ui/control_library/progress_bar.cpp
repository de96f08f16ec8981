// A progress bar window class living in its own shared object: it keeps a position (0-100)
// in its window's extra bytes and paints it as text.
#include "platform/wingdi.h"
#include "platform/winuser.h"
#include "tests/platform/ui/control_library/progress_bar.h"

namespace {

LRESULT CALLBACK progress_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case progress_set_position: {
      const LONG_PTR previous = GetWindowLongPtrW(window, 0);
      SetWindowLongPtrW(window, 0, static_cast<LONG_PTR>(wparam > 100 ? 100 : wparam));
      InvalidateRect(window, nullptr, TRUE);
      return previous;
    }
    case progress_get_position:
      return GetWindowLongPtrW(window, 0);
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) ATOM register_progress_bar(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = progress_proc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = instance;
  wc.lpszClassName = progress_class;
  return RegisterClassExW(&wc);
}

extern "C" __attribute__((visibility("default"))) BOOL unregister_progress_bar(HINSTANCE instance) {
  return UnregisterClassW(progress_class, instance);
}
