#include <algorithm>
#include <mutex>

#include "platform/src/ui/controls.h"
#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

struct ClassTable {
  std::mutex mutex;
  std::vector<std::unique_ptr<WindowClass>> classes;
  ATOM next_atom = 0xC000;
};

ClassTable& table() {
  static ClassTable classes;
  return classes;
}

char16_t fold(char16_t c) {
  // Class names are ASCII in practice; Latin-1 letters fold as well.
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 0x20);
  return c;
}

WindowClass* find_locked(ClassTable& classes, LPCWSTR name_or_atom) {
  if (!name_or_atom) return nullptr;
  if (IS_INTRESOURCE(name_or_atom)) {
    const ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name_or_atom));
    for (auto& c : classes.classes) {
      if (c->atom == atom) return c.get();
    }
    return nullptr;
  }
  const std::u16string_view name(name_or_atom);
  for (auto& c : classes.classes) {
    if (same_name(c->name, name)) return c.get();
  }
  return nullptr;
}

void add_builtin(ClassTable& classes, std::u16string name, ATOM atom, WNDPROC proc, int extra, HBRUSH background) {
  auto c = std::make_unique<WindowClass>();
  c->name = std::move(name);
  c->atom = atom ? atom : classes.next_atom++;
  c->proc = proc;
  c->window_extra = extra;
  c->style = CS_DBLCLKS | CS_GLOBALCLASS;
  c->background = background;
  c->cursor = LoadCursorW(nullptr, IDC_ARROW);
  classes.classes.push_back(std::move(c));
}

HBRUSH system_colour_brush(int index) { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(index + 1)); }

void ensure_builtins(ClassTable& classes) {
  static std::once_flag once;
  std::call_once(once, [&classes] {
    add_builtin(classes, u"#32770", dialog_class_atom, DefDlgProcW, DLGWINDOWEXTRA, system_colour_brush(COLOR_3DFACE));
    add_builtin(classes, u"Button", 0, button_proc, button_extra, nullptr);
    add_builtin(classes, u"Edit", 0, edit_proc, edit_extra, nullptr);
    add_builtin(classes, u"Static", 0, static_proc, 0, nullptr);
    add_builtin(classes, u"ListBox", 0, plain_control_proc, 0, nullptr);
    add_builtin(classes, u"ScrollBar", 0, plain_control_proc, 0, nullptr);
    add_builtin(classes, u"ComboBox", 0, plain_control_proc, 0, nullptr);
  });
}

}  // namespace

bool same_name(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

WindowClass* find_class(LPCWSTR name_or_atom) {
  auto& classes = table();
  ensure_builtins(classes);
  std::lock_guard lock(classes.mutex);
  return find_locked(classes, name_or_atom);
}

void count_class_window(WindowClass* window_class, int delta) {
  std::lock_guard lock(table().mutex);
  window_class->windows += delta;
}

}  // namespace platform::ui::detail

using namespace platform::ui::detail;

extern "C" ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* lpwcx) {
  if (!lpwcx || lpwcx->cbSize != sizeof(WNDCLASSEXW) || !lpwcx->lpfnWndProc || !lpwcx->lpszClassName ||
      (!IS_INTRESOURCE(lpwcx->lpszClassName) && !*lpwcx->lpszClassName) || IS_INTRESOURCE(lpwcx->lpszClassName) ||
      lpwcx->cbClsExtra < 0 || lpwcx->cbWndExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& classes = table();
  ensure_builtins(classes);
  std::lock_guard lock(classes.mutex);
  if (find_locked(classes, lpwcx->lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto c = std::make_unique<WindowClass>();
  c->atom = classes.next_atom++;
  c->name = lpwcx->lpszClassName;
  c->style = lpwcx->style;
  c->proc = lpwcx->lpfnWndProc;
  c->class_extra = lpwcx->cbClsExtra;
  c->window_extra = lpwcx->cbWndExtra;
  c->instance = lpwcx->hInstance;
  c->icon = lpwcx->hIcon;
  c->cursor = lpwcx->hCursor;
  c->background = lpwcx->hbrBackground;
  if (lpwcx->lpszMenuName && !IS_INTRESOURCE(lpwcx->lpszMenuName)) c->menu_name = lpwcx->lpszMenuName;
  const ATOM atom = c->atom;
  classes.classes.push_back(std::move(c));
  return atom;
}

extern "C" BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE) {
  auto& classes = table();
  ensure_builtins(classes);
  std::lock_guard lock(classes.mutex);
  WindowClass* c = find_locked(classes, lpClassName);
  if (!c) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (c->windows > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  if (c->atom < 0xC000) {  // the system's own classes stay
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  std::erase_if(classes.classes, [c](const auto& entry) { return entry.get() == c; });
  return TRUE;
}

extern "C" BOOL WINAPI GetClassInfoExW(HINSTANCE, LPCWSTR lpszClass, LPWNDCLASSEXW lpwcx) {
  if (!lpwcx) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  WindowClass* c = find_class(lpszClass);
  if (!c) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  lpwcx->style = c->style;
  lpwcx->lpfnWndProc = c->proc;
  lpwcx->cbClsExtra = c->class_extra;
  lpwcx->cbWndExtra = c->window_extra;
  lpwcx->hInstance = c->instance;
  lpwcx->hIcon = c->icon;
  lpwcx->hCursor = c->cursor;
  lpwcx->hbrBackground = c->background;
  lpwcx->lpszMenuName = c->menu_name.empty() ? nullptr : c->menu_name.c_str();
  lpwcx->lpszClassName = lpszClass;
  lpwcx->hIconSm = nullptr;
  // Windows answers the class atom although the prototype says BOOL.
  return c->atom;
}

extern "C" int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount) {
  Window* window = window_for_call(hWnd);
  if (!window) return 0;
  if (!lpClassName || nMaxCount <= 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::u16string& name = window->window_class->name;
  const int count = std::min(static_cast<int>(name.size()), nMaxCount - 1);
  std::copy_n(name.begin(), count, lpClassName);
  lpClassName[count] = u'\0';
  return count;
}
