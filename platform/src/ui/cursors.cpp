#include <algorithm>
#include <mutex>
#include <unordered_map>

#include "platform/src/ui/window_manager.h"

namespace {

struct Cursors {
  std::mutex mutex;
  std::unordered_map<HCURSOR, std::u16string> names;
  std::unordered_map<WORD, HCURSOR> predefined;
  std::uintptr_t next = 0x50000;
  HCURSOR current = nullptr;
  std::vector<HCURSOR> history;
  POINT position{0, 0};
};

Cursors& cursors() {
  static Cursors table;
  return table;
}

struct Predefined {
  WORD id;
  const char16_t* name;
};
constexpr Predefined predefined_cursors[] = {
    {32512, u"IDC_ARROW"},  {32513, u"IDC_IBEAM"},    {32514, u"IDC_WAIT"},   {32515, u"IDC_CROSS"},
    {32516, u"IDC_UPARROW"}, {32642, u"IDC_SIZENWSE"}, {32643, u"IDC_SIZENESW"}, {32644, u"IDC_SIZEWE"},
    {32645, u"IDC_SIZENS"}, {32646, u"IDC_SIZEALL"},  {32648, u"IDC_NO"},     {32649, u"IDC_HAND"},
    {32650, u"IDC_APPSTARTING"}, {32651, u"IDC_HELP"}};

HCURSOR add_locked(Cursors& table, std::u16string name) {
  HCURSOR handle = reinterpret_cast<HCURSOR>(table.next);
  table.next += 4;
  table.names.emplace(handle, std::move(name));
  return handle;
}

}  // namespace

namespace platform::ui {

HCURSOR create_cursor(std::u16string_view name) {
  Cursors& table = cursors();
  std::lock_guard lock(table.mutex);
  return add_locked(table, std::u16string(name));
}

std::u16string cursor_name(HCURSOR cursor) {
  Cursors& table = cursors();
  std::lock_guard lock(table.mutex);
  auto it = table.names.find(cursor);
  return it == table.names.end() ? std::u16string() : it->second;
}

std::vector<HCURSOR> cursor_history() {
  Cursors& table = cursors();
  std::lock_guard lock(table.mutex);
  return table.history;
}

void clear_cursor_history() {
  Cursors& table = cursors();
  std::lock_guard lock(table.mutex);
  table.history.clear();
}

}  // namespace platform::ui

extern "C" HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
  const auto* known = std::find_if(std::begin(predefined_cursors), std::end(predefined_cursors), [&](const Predefined& p) {
    return IS_INTRESOURCE(lpCursorName) && p.id == static_cast<WORD>(reinterpret_cast<ULONG_PTR>(lpCursorName));
  });
  // Modules carry no cursor resources here; the host makes its cursors with create_cursor.
  if (hInstance || known == std::end(predefined_cursors)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  Cursors& table = cursors();
  std::lock_guard lock(table.mutex);
  auto it = table.predefined.find(known->id);
  if (it != table.predefined.end()) return it->second;
  HCURSOR handle = add_locked(table, known->name);
  table.predefined.emplace(known->id, handle);
  return handle;
}

extern "C" HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
  Cursors& table = cursors();
  std::lock_guard lock(table.mutex);
  if (hCursor && !table.names.count(hCursor)) {
    SetLastError(ERROR_INVALID_CURSOR_HANDLE);
    return nullptr;
  }
  const HCURSOR previous = table.current;
  table.current = hCursor;
  table.history.push_back(hCursor);
  return previous;
}

extern "C" HCURSOR WINAPI GetCursor() {
  Cursors& table = cursors();
  std::lock_guard lock(table.mutex);
  return table.current;
}

extern "C" BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
  if (!lpPoint) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Cursors& table = cursors();
  std::lock_guard lock(table.mutex);
  *lpPoint = table.position;
  return TRUE;
}

extern "C" BOOL WINAPI SetCursorPos(int X, int Y) {
  Cursors& table = cursors();
  std::lock_guard lock(table.mutex);
  table.position = POINT{std::clamp<LONG>(X, 0, platform::ui::detail::screen_width - 1),
                         std::clamp<LONG>(Y, 0, platform::ui::detail::screen_height - 1)};
  return TRUE;
}
