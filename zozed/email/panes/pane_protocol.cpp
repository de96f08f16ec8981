#include "zozed/email/panes/pane_protocol.h"

#include "host/pane_messages.h"
#include "platform/support/variant.h"

namespace zozed::email {

using platform::Variant;

bool ShowNextPane(HostPaneStack& stack, std::u16string_view clsid, std::u16string_view title,
                  const PaneHandOff& hand_off) {
  stack.show_pane(clsid, title);
  const auto pane = stack.current_pane();
  if (!pane) return false;
  const Variant none;
  if (hand_off.return_to_caller) (void)send_pane_message(pane.get(), host::kReturnToCaller, *none.get(), *none.get());
  if (hand_off.came_from_pane) (void)send_pane_message(pane.get(), host::kCameFromPane, *none.get(), *none.get());
  const Variant step(hand_off.step);
  (void)send_pane_message(pane.get(), host::kItemsAndStep, hand_off.items ? *hand_off.items : *none.get(), *step.get());
  if (hand_off.outcome) {
    const Variant code(hand_off.outcome->code);
    const Variant folder(std::u16string_view(hand_off.outcome->folder));
    (void)send_pane_message(pane.get(), host::kSendOutcome, *code.get(), *folder.get());
  }
  return true;
}

void BroadcastTrayChanged(HostPaneStack& stack, const VARIANT& items) {
  const Variant none;
  for (const auto& pane : stack.panes()) (void)send_pane_message(pane.get(), host::kTrayChanged, items, *none.get());
}

}  // namespace zozed::email
