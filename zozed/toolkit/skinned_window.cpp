#include "zozed/toolkit/skinned_window.h"

#include "host/skin.h"
#include "platform/wingdi.h"
#include "zozed/toolkit/skin_store.h"

namespace zozed::toolkit {

SkinnedWindow::SkinnedWindow(std::u16string skin_key)
    : skin_key_(std::move(skin_key)), background_(GetSysColor(COLOR_BTNFACE)) {}

void SkinnedWindow::OnSkinLoad() {
  background_ = skin_dword(skin_key_, host::kSkinBackground, GetSysColor(COLOR_BTNFACE));
}

void SkinnedWindow::reload_skin() {
  OnSkinLoad();
  if (hwnd_) {
    OnLayout();
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

bool SkinnedWindow::handle_skin_message(UINT message, WPARAM wparam, LPARAM, INT_PTR& result) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(hwnd_, &client);
      HBRUSH brush = CreateSolidBrush(background_);
      FillRect(reinterpret_cast<HDC>(wparam), &client, brush);
      DeleteObject(brush);
      result = TRUE;
      return true;
    }
    case WM_SIZE:
      OnLayout();
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace zozed::toolkit
