#include "suite/host/side_panel.h"

#include "platform/oleidl.h"
#include "platform/winuser.h"

namespace suite {
namespace {

constexpr const char16_t* kPanelClass = u"ZozedSidePanel";

HWND ensure_panel(SuiteState& state) {
  if (state.panel && IsWindow(state.panel)) return state.panel;
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(nullptr, kPanelClass, &wc)) {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &DefWindowProcW;
    wc.lpszClassName = kPanelClass;
    RegisterClassExW(&wc);
  }
  RECT frame{0, 0, state.panel_size.cx, state.panel_size.cy};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  state.panel = CreateWindowExW(0, kPanelClass, u"Side panel", style, 0, 0, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
  return state.panel;
}

RECT panel_rect(const SuiteState& state) { return RECT{0, 0, state.panel_size.cx, state.panel_size.cy}; }

void hide_others(SuiteState& state, const ShownPane& keep) {
  for (auto& pane : state.panes)
    if (&pane != &keep && pane.hosted && *pane.hosted) (void)pane.hosted->show(false);
}

}  // namespace

void show_in_panel(SuiteState& state, ShownPane& pane) {
  platform::ComPtr<IOleObject> object;
  if (FAILED(pane.object->QueryInterface(object.put()))) return;
  HWND panel = ensure_panel(state);
  if (!panel) {
    pane.activation = E_FAIL;
    return;
  }
  hide_others(state, pane);
  auto hosted = std::make_shared<platform::HostedControl>();
  pane.activation = hosted->attach(pane.object.get(), panel, panel_rect(state));
  if (SUCCEEDED(pane.activation)) pane.hosted = std::move(hosted);
}

void reveal_in_panel(SuiteState& state, ShownPane& pane) {
  hide_others(state, pane);
  if (pane.hosted && *pane.hosted) {
    (void)pane.hosted->move(panel_rect(state));
    (void)pane.hosted->show(true);
  }
}

void resize_panel(SuiteState& state, SIZE size) {
  state.panel_size = size;
  if (state.panel && IsWindow(state.panel)) {
    RECT frame{0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(state.panel, GWL_STYLE)), FALSE, 0);
    SetWindowPos(state.panel, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (auto& pane : state.panes)
    if (pane.hosted && *pane.hosted) (void)pane.hosted->move(panel_rect(state));
}

void remove_from_panel(ShownPane& pane) noexcept {
  if (auto hosted = std::move(pane.hosted)) hosted->destroy();
}

void close_panel(SuiteState& state) noexcept {
  if (state.panel && IsWindow(state.panel)) DestroyWindow(state.panel);
  state.panel = nullptr;
}

}  // namespace suite
