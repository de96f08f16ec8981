#include "zozed/email/engine/window_pump.h"

#include "platform/winuser.h"

namespace zozed::email {
namespace {

constexpr UINT kKeyFirst = 0x100;
constexpr UINT kKeyLast = 0x108;
constexpr UINT kNonClientMouseFirst = 0xA1;
constexpr UINT kNonClientMouseLast = 0xA9;

bool is_user_input(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL) || (message >= kKeyFirst && message <= kKeyLast) ||
         (message >= kNonClientMouseFirst && message <= kNonClientMouseLast);
}

}  // namespace

void DispatchPendingPaints() {
  MSG message{};
  for (;;) {
    if (PeekMessageW(&message, nullptr, WM_ERASEBKGND, WM_ERASEBKGND, PM_REMOVE) ||
        PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
      (void)DispatchMessageW(&message);
      continue;
    }
    return;
  }
}

void DiscardPendingInput() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (!is_user_input(message.message)) (void)DispatchMessageW(&message);
  }
}

}  // namespace zozed::email
