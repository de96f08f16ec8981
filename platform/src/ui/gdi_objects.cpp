#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/src/ui/gdi_objects.h"
#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

struct GdiObject {
  enum class Kind { brush, font } kind;
  COLORREF color = 0;
  bool hollow = false;
  bool stock = false;
  int system_colour = -1;  // a GetSysColorBrush brush follows its colour
  LOGFONTW font{};
};

struct Objects {
  std::mutex mutex;
  std::unordered_map<HGDIOBJ, GdiObject> objects;
  std::unordered_map<HDC, DeviceContext> dcs;
  std::uintptr_t next = 0x40000;
  HGDIOBJ stock[DEFAULT_GUI_FONT + 1] = {};
  HBRUSH system_brushes[31] = {};
};

HGDIOBJ add_locked(Objects& table, GdiObject object) {
  HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(table.next);
  table.next += 4;
  table.objects.emplace(handle, object);
  return handle;
}

LOGFONTW make_font(const std::u16string& face, LONG height, LONG weight, BYTE italic, BYTE charset) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfItalic = italic;
  font.lfCharSet = charset;
  const std::size_t count = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::copy_n(face.begin(), count, font.lfFaceName);
  return font;
}

Objects& objects() {
  static Objects* table = [] {
    auto* fresh = new Objects;
    const COLORREF brushes[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128), RGB(64, 64, 64),
                                RGB(0, 0, 0)};
    for (int i = WHITE_BRUSH; i <= BLACK_BRUSH; ++i) {
      fresh->stock[i] = add_locked(*fresh, GdiObject{GdiObject::Kind::brush, brushes[i], false, true});
    }
    fresh->stock[NULL_BRUSH] = add_locked(*fresh, GdiObject{GdiObject::Kind::brush, 0, true, true});
    GdiObject gui_font{GdiObject::Kind::font};
    gui_font.stock = true;
    gui_font.font = make_font(u"MS Shell Dlg", -11, FW_NORMAL, 0, DEFAULT_CHARSET);
    fresh->stock[DEFAULT_GUI_FONT] = add_locked(*fresh, gui_font);
    for (int i = 0; i < 31; ++i) {
      GdiObject brush{GdiObject::Kind::brush};
      brush.stock = true;
      brush.system_colour = i;
      fresh->system_brushes[i] = static_cast<HBRUSH>(add_locked(*fresh, brush));
    }
    return fresh;
  }();
  return *table;
}

}  // namespace

COLORREF brush_color(HBRUSH brush, bool* hollow) {
  *hollow = false;
  const auto value = reinterpret_cast<std::uintptr_t>(brush);
  // A class background may name a system colour as COLOR_x + 1.
  if (value >= 1 && value <= 31) return GetSysColor(static_cast<int>(value - 1));
  Objects& table = objects();
  std::lock_guard lock(table.mutex);
  auto it = table.objects.find(brush);
  if (it == table.objects.end() || it->second.kind != GdiObject::Kind::brush) {
    *hollow = true;
    return 0;
  }
  *hollow = it->second.hollow;
  if (it->second.system_colour >= 0) return GetSysColor(it->second.system_colour);
  return it->second.color;
}

HFONT create_dialog_font(const std::u16string& face, WORD points, WORD weight, BYTE italic, BYTE charset) {
  // Point size at 96 logical pixels per inch, negative for a character height.
  const LONG height = -static_cast<LONG>((points * 96 + 36) / 72);
  const LOGFONTW font = make_font(face, height, weight ? weight : FW_NORMAL, italic, charset);
  return CreateFontIndirectW(&font);
}

bool is_font(HGDIOBJ object) {
  Objects& table = objects();
  std::lock_guard lock(table.mutex);
  auto it = table.objects.find(object);
  return it != table.objects.end() && it->second.kind == GdiObject::Kind::font;
}

bool is_brush(HGDIOBJ object) {
  Objects& table = objects();
  std::lock_guard lock(table.mutex);
  auto it = table.objects.find(object);
  return it != table.objects.end() && it->second.kind == GdiObject::Kind::brush;
}

HDC create_dc(HWND window, bool windowless) {
  Objects& table = objects();
  std::lock_guard lock(table.mutex);
  HDC handle = reinterpret_cast<HDC>(table.next);
  table.next += 4;
  DeviceContext dc;
  dc.window = window;
  dc.windowless = windowless;
  dc.font = table.stock[DEFAULT_GUI_FONT];
  dc.brush = table.stock[WHITE_BRUSH];
  table.dcs.emplace(handle, std::move(dc));
  return handle;
}

bool delete_dc(HDC hdc) {
  Objects& table = objects();
  std::lock_guard lock(table.mutex);
  return table.dcs.erase(hdc) > 0;
}

bool with_dc_impl(HDC hdc, void (*thunk)(DeviceContext&, void*), void* context) {
  Objects& table = objects();
  std::lock_guard lock(table.mutex);
  auto it = table.dcs.find(hdc);
  if (it == table.dcs.end()) return false;
  thunk(it->second, context);
  return true;
}

}  // namespace platform::ui::detail

using namespace platform::ui::detail;

extern "C" HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  Objects& table = objects();
  std::lock_guard lock(table.mutex);
  return static_cast<HBRUSH>(add_locked(table, GdiObject{GdiObject::Kind::brush, color & 0xFFFFFF}));
}

extern "C" HFONT WINAPI CreateFontIndirectW(const LOGFONTW* lplf) {
  if (!lplf) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Objects& table = objects();
  std::lock_guard lock(table.mutex);
  GdiObject font{GdiObject::Kind::font};
  font.font = *lplf;
  return static_cast<HFONT>(add_locked(table, font));
}

extern "C" int WINAPI GetObjectW(HANDLE h, int c, LPVOID pv) {
  Objects& table = objects();
  std::lock_guard lock(table.mutex);
  auto it = table.objects.find(h);
  if (it == table.objects.end() || it->second.kind != GdiObject::Kind::font) return 0;
  if (!pv) return static_cast<int>(sizeof(LOGFONTW));
  const int count = std::clamp(c, 0, static_cast<int>(sizeof(LOGFONTW)));
  std::memcpy(pv, &it->second.font, static_cast<std::size_t>(count));
  return count;
}

extern "C" BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  Objects& table = objects();
  std::lock_guard lock(table.mutex);
  auto it = table.objects.find(ho);
  if (it == table.objects.end()) return FALSE;
  if (!it->second.stock) table.objects.erase(it);
  return TRUE;
}

extern "C" HGDIOBJ WINAPI GetStockObject(int i) {
  Objects& table = objects();
  if (i < 0 || i > DEFAULT_GUI_FONT) return nullptr;
  return table.stock[i];
}

extern "C" HBRUSH WINAPI GetSysColorBrush(int nIndex) {
  if (nIndex < 0 || nIndex >= 31 || nIndex == 25) return nullptr;
  return objects().system_brushes[nIndex];
}
