#include <algorithm>

#include "platform/src/ui/gdi_objects.h"
#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

// The text as displayed: "&x" underlines x and "&&" is one ampersand unless DT_NOPREFIX.
std::u16string displayed(std::u16string_view text, UINT format) {
  if (format & DT_NOPREFIX) return std::u16string(text);
  std::u16string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    result.push_back(text[i]);
  }
  return result;
}

std::vector<std::u16string> lines_of(const std::u16string& text, UINT format, LONG width) {
  std::vector<std::u16string> lines;
  if (format & DT_SINGLELINE) {
    std::u16string line;
    for (char16_t c : text) {
      if (c != u'\r' && c != u'\n') line.push_back(c);
    }
    lines.push_back(line);
    return lines;
  }
  std::u16string line;
  const std::size_t max_chars = (format & DT_WORDBREAK) ? std::max<LONG>(width / char_width, 1) : std::u16string::npos;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool end = i == text.size();
    if (end || text[i] == u'\n') {
      lines.push_back(line);
      line.clear();
      continue;
    }
    if (text[i] == u'\r') continue;
    line.push_back(text[i]);
    if (line.size() > max_chars) {
      // Break after the last space that keeps the line within the width.
      const std::size_t space = line.rfind(u' ', max_chars);
      const std::size_t cut = space == std::u16string::npos ? max_chars : space;
      lines.push_back(line.substr(0, cut));
      line.erase(0, space == std::u16string::npos ? cut : cut + 1);
    }
  }
  return lines;
}

void add_operation(DeviceContext& dc, DrawOperation operation, std::vector<DrawOperation>* window_record) {
  if (dc.windowless) {
    dc.operations.push_back(std::move(operation));
  } else if (window_record) {
    window_record->push_back(std::move(operation));
  }
}

// The drawing record of the window behind `hdc` (only for a window on the calling thread).
std::vector<DrawOperation>* record_of(HDC hdc) {
  HWND window = nullptr;
  with_dc(hdc, [&](DeviceContext& dc) { window = dc.window; });
  Window* target = peek_window(window);
  return target ? &target->drawing : nullptr;
}

}  // namespace

HDC window_dc(HWND window) { return create_dc(window, false); }

}  // namespace platform::ui::detail

namespace platform::ui {

std::vector<DrawOperation> drawing_of(HWND window) {
  detail::Window* target = detail::peek_window(window);
  return target ? target->drawing : std::vector<DrawOperation>{};
}

void clear_drawing(HWND window) {
  if (detail::Window* target = detail::peek_window(window)) target->drawing.clear();
}

RecordingDc::RecordingDc() : hdc_(detail::create_dc(nullptr, true)) {}
RecordingDc::~RecordingDc() { detail::delete_dc(hdc_); }

std::vector<DrawOperation> RecordingDc::operations() const {
  std::vector<DrawOperation> result;
  detail::with_dc(hdc_, [&](detail::DeviceContext& dc) { result = dc.operations; });
  return result;
}

}  // namespace platform::ui

using namespace platform::ui::detail;
using platform::ui::DrawOperation;

extern "C" HDC WINAPI GetDC(HWND hWnd) {
  if (hWnd && !window_for_call(hWnd)) return nullptr;
  return create_dc(hWnd, false);
}

extern "C" int WINAPI ReleaseDC(HWND, HDC hDC) {
  bool windowless = false;
  if (!with_dc(hDC, [&](DeviceContext& dc) { windowless = dc.windowless; })) return 0;
  // A recording context belongs to its RecordingDc, which releases it.
  if (windowless) return 0;
  return delete_dc(hDC) ? 1 : 0;
}

extern "C" COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  COLORREF previous = CLR_INVALID;
  with_dc(hdc, [&](DeviceContext& dc) {
    previous = dc.text_color;
    dc.text_color = color;
  });
  return previous;
}

extern "C" COLORREF WINAPI GetTextColor(HDC hdc) {
  COLORREF color = CLR_INVALID;
  with_dc(hdc, [&](DeviceContext& dc) { color = dc.text_color; });
  return color;
}

extern "C" COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  COLORREF previous = CLR_INVALID;
  with_dc(hdc, [&](DeviceContext& dc) {
    previous = dc.background_color;
    dc.background_color = color;
  });
  return previous;
}

extern "C" COLORREF WINAPI GetBkColor(HDC hdc) {
  COLORREF color = CLR_INVALID;
  with_dc(hdc, [&](DeviceContext& dc) { color = dc.background_color; });
  return color;
}

extern "C" int WINAPI SetBkMode(HDC hdc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int previous = 0;
  with_dc(hdc, [&](DeviceContext& dc) {
    previous = dc.background_mode;
    dc.background_mode = mode;
  });
  return previous;
}

extern "C" int WINAPI GetBkMode(HDC hdc) {
  int mode = 0;
  with_dc(hdc, [&](DeviceContext& dc) { mode = dc.background_mode; });
  return mode;
}

extern "C" HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  const bool font = is_font(h);
  if (!font && !is_brush(h)) return nullptr;
  HGDIOBJ previous = nullptr;
  with_dc(hdc, [&](DeviceContext& dc) {
    HGDIOBJ& slot = font ? dc.font : dc.brush;
    previous = slot;
    slot = h;
  });
  return previous;
}

extern "C" int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  if (!lprc) return 0;
  bool hollow = false;
  const COLORREF color = brush_color(hbr, &hollow);
  std::vector<DrawOperation>* record = record_of(hDC);
  const bool known = with_dc(hDC, [&](DeviceContext& dc) {
    if (!hollow) add_operation(dc, DrawOperation{DrawOperation::Kind::fill_rect, *lprc, color, {}, 0, 0, {}}, record);
  });
  return known ? 1 : 0;
}

extern "C" int WINAPI DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  if (!lpchText || !lprc) return 0;
  const std::u16string_view given =
      cchText < 0 ? std::u16string_view(lpchText) : std::u16string_view(lpchText, static_cast<std::size_t>(cchText));
  const std::u16string shown = displayed(given, format);
  const std::vector<std::u16string> lines = lines_of(shown, format, lprc->right - lprc->left);
  std::size_t widest = 0;
  for (const auto& line : lines) widest = std::max(widest, line.size());
  const LONG text_width = static_cast<LONG>(widest) * platform::ui::char_width;
  const LONG text_height = static_cast<LONG>(lines.size()) * platform::ui::line_height;

  if (format & DT_CALCRECT) {
    if (!with_dc(hdc, [](DeviceContext&) {})) return 0;
    lprc->right = lprc->left + text_width;
    lprc->bottom = lprc->top + text_height;
    return text_height;
  }
  LONG x = lprc->left;
  if (format & DT_CENTER) x = lprc->left + (lprc->right - lprc->left - text_width) / 2;
  if (format & DT_RIGHT) x = lprc->right - text_width;
  LONG y = lprc->top;
  const bool single = (format & DT_SINGLELINE) != 0;
  if (single && (format & DT_VCENTER)) y = lprc->top + (lprc->bottom - lprc->top - text_height) / 2;
  if (single && (format & DT_BOTTOM)) y = lprc->bottom - text_height;
  const RECT bounds{x, y, x + text_width, y + text_height};

  std::vector<DrawOperation>* record = record_of(hdc);
  const bool known = with_dc(hdc, [&](DeviceContext& dc) {
    add_operation(dc,
                  DrawOperation{DrawOperation::Kind::draw_text, *lprc, dc.text_color, std::u16string(given), format,
                                dc.background_mode, bounds},
                  record);
  });
  if (!known) return 0;
  return (single && (format & (DT_VCENTER | DT_BOTTOM))) ? bounds.bottom - lprc->top : text_height;
}
