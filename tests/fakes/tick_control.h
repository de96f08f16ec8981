// A tiny ActiveX control for tests of control hosting: a child window that fires event 1 on
// each click (on fakes::kEvents), draws its name, and can be told to fail window creation.
#pragma once

#include <array>

#include "platform/support/activex_control.h"
#include "platform/wingdi.h"
#include "tests/fakes/event_objects.h"

namespace fakes {

inline constexpr CLSID kTickControlClsid = platform::make_guid("{6A0F5A10-00C0-4C1B-9E00-5D8E2C0000C0}");
inline constexpr const char16_t* kTickControlProgId = u"Fakes.TickControl.1";
inline constexpr const char16_t* kTickWindowClass = u"FakesTickControl";

class TickControl final : public platform::ActiveXControl<TickControl, IDispatch> {
 public:
  TickControl() : ActiveXControl({kEvents}) {}

  static std::span<const platform::DispatchMember<TickControl>> dispatch_members() { return {}; }

  // Makes the next window creations fail.
  static bool& refuse_windows() {
    static bool refuse = false;
    return refuse;
  }

  HWND CreateControlWindow(HWND parent, const RECT& pos) override {
    if (refuse_windows()) return nullptr;
    register_window_class();
    return CreateWindowExW(0, kTickWindowClass, u"tick", WS_CHILD, pos.left, pos.top, pos.right - pos.left,
                           pos.bottom - pos.top, parent, nullptr, nullptr, this);
  }

  HRESULT OnDraw(HDC dc, const RECT& bounds) override {
    RECT r = bounds;
    DrawTextW(dc, u"tick", -1, &r, DT_CENTER | DT_SINGLELINE);
    return S_OK;
  }

 private:
  static void register_window_class() {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(nullptr, kTickWindowClass, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TickControl::window_proc;
    wc.lpszClassName = kTickWindowClass;
    RegisterClassExW(&wc);
  }

  static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lparam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<TickControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == WM_LBUTTONUP) {
      self->fire_event(1);
      return 0;
    }
    if (self && message == WM_NCDESTROY) {
      self->window_destroyed();
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
};

}  // namespace fakes
