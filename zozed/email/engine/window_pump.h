// Keeping the host's windows responsive during long loops on the user-interface thread: pending
// paints are dispatched between steps, and input that arrived meanwhile is thrown away at the end.
#pragma once

namespace zozed::email {

// Removes and dispatches WM_ERASEBKGND and WM_PAINT messages, erasures first, until none is left.
void DispatchPendingPaints();

// Empties the queue: dispatches every message except mouse, keyboard and non-client mouse
// input, which is removed unseen.
void DiscardPendingInput();

}  // namespace zozed::email
