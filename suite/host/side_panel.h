// The side panel: the window the pane stack shows its panes in, one at a time, each activated
// in place over the whole panel.
#pragma once

#include "suite/host/suite_state.h"

namespace suite {

// Places `pane` in the side panel (made at the state's panel size when there is none yet) and
// hides the pane shown before; records the activation result on the pane. A pane that is no
// ActiveX control is kept without a window.
void show_in_panel(SuiteState& state, ShownPane& pane);
// Shows `pane` again (after Back) and hides the others.
void reveal_in_panel(SuiteState& state, ShownPane& pane);
// Resizes the panel and the panes in it.
void resize_panel(SuiteState& state, SIZE size);
// Takes a pane out of the panel: deactivates it and destroys its window.
void remove_from_panel(ShownPane& pane) noexcept;
// Destroys the panel window (its panes must be removed first).
void close_panel(SuiteState& state) noexcept;

}  // namespace suite
