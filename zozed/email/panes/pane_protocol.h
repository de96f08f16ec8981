// The pane message protocol as a sending pane uses it: the next pane shown through the host's
// pane stack and handed the task's state in the order every receiving pane expects.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/oaidl.h"
#include "zozed/module/host_pane_stack.h"

namespace zozed::email {

// SendOutcome: 0 handed to the mail program, -1 saved for later sending.
struct SendOutcome {
  SHORT code = 0;
  std::u16string folder;  // the folder written; empty after a hand-off
};

struct PaneHandOff {
  bool return_to_caller = false;  // the sender received ReturnToCaller
  bool came_from_pane = false;    // the receiver may go Back to the sender
  const VARIANT* items = nullptr; // the item list; null sends an empty value
  LONG step = 0;                  // the receiver's step number
  std::optional<SendOutcome> outcome;
};

// Shows pane `clsid` (a braced CLSID string) titled `title`, then sends it ReturnToCaller (when
// the sender received one), CameFromPane (when asked), ItemsAndStep and SendOutcome (when
// given), in that order. False, with nothing sent, when the stack answers no current pane.
bool ShowNextPane(HostPaneStack& stack, std::u16string_view clsid, std::u16string_view title,
                  const PaneHandOff& hand_off);

// Sends TrayChanged with `items` to every pane of the stack.
void BroadcastTrayChanged(HostPaneStack& stack, const VARIANT& items);

}  // namespace zozed::email
