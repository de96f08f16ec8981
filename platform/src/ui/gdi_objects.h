// GDI objects (brushes, fonts) and device contexts as the recording painter keeps them.
#pragma once

#include <vector>

#include "platform/ui_driver.h"
#include "platform/wingdi.h"

namespace platform::ui::detail {

struct DeviceContext {
  HWND window = nullptr;  // drawing lands in the window's record; null: in `operations`
  bool windowless = false;
  std::vector<DrawOperation> operations;
  COLORREF text_color = RGB(0, 0, 0);
  COLORREF background_color = RGB(255, 255, 255);
  int background_mode = OPAQUE;
  HGDIOBJ font = nullptr;
  HGDIOBJ brush = nullptr;
};

// Runs `action` on the device context under the table's lock; false for an unknown handle.
template <typename Action>
bool with_dc(HDC hdc, Action&& action);

HDC create_dc(HWND window, bool windowless);
bool delete_dc(HDC hdc);
bool with_dc_impl(HDC hdc, void (*thunk)(DeviceContext&, void*), void* context);

template <typename Action>
bool with_dc(HDC hdc, Action&& action) {
  return with_dc_impl(
      hdc, [](DeviceContext& dc, void* context) { (*static_cast<Action*>(context))(dc); }, &action);
}

bool is_font(HGDIOBJ object);
bool is_brush(HGDIOBJ object);

}  // namespace platform::ui::detail
