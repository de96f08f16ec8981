#include "suite/controls/control_window.h"

#include "platform/wingdi.h"

namespace suite::controls {
namespace {

constexpr const char16_t* kClassName = u"TSGSkinControl";

LRESULT CALLBACK control_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcW(window, message, wparam, lparam);
  }
  auto* owner = window_owner(window);
  if (!owner) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_LBUTTONUP:
      owner->on_click();
      return 0;
    case WM_RBUTTONUP: {
      POINT point{static_cast<SHORT>(lparam & 0xFFFF), static_cast<SHORT>((lparam >> 16) & 0xFFFF)};
      ClientToScreen(window, &point);
      owner->on_context_menu(point);
      return 0;
    }
    case WM_KEYDOWN:
      owner->on_key(wparam);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(window, &paint);
      RECT client{};
      GetClientRect(window, &client);
      if (dc) owner->on_paint(dc, client);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      owner->on_window_destroyed();
      return DefWindowProcW(window, message, wparam, lparam);
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

bool register_class() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &control_window_proc;
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    return RegisterClassExW(&wc) != 0;
  }();
  return registered;
}

}  // namespace

HWND create_control_window(WindowOwner* owner, HWND parent, const RECT& rect, UINT id, DWORD style) {
  if (!register_class()) return nullptr;
  return CreateWindowExW(0, kClassName, u"", WS_CHILD | style, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                         owner);
}

int control_id(HWND window) {
  if (!window) return 0;
  if (const int own = GetDlgCtrlID(window)) return own;
  HWND parent = GetParent(window);
  return parent && (GetWindowLongW(parent, GWL_STYLE) & WS_CHILD) ? GetDlgCtrlID(parent) : 0;
}

WindowOwner* window_owner(HWND window) {
  if (!window || !IsWindow(window)) return nullptr;
  char16_t name[32]{};
  if (GetClassNameW(window, name, 32) == 0 || std::u16string_view(name) != kClassName) return nullptr;
  return reinterpret_cast<WindowOwner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::optional<std::u16string> describe_control(HWND window) {
  const auto* owner = window_owner(window);
  if (!owner) return std::nullopt;
  return owner->describe();
}

bool type_into(HWND window, std::u16string_view text) {
  auto* owner = window_owner(window);
  return owner && owner->user_type(text);
}

bool choose_entry(HWND window, LONG index) {
  auto* owner = window_owner(window);
  return owner && owner->user_choose(index);
}

bool choose_folder(HWND window, std::u16string_view folder) {
  auto* owner = window_owner(window);
  return owner && owner->user_choose_folder(folder);
}

}  // namespace suite::controls
