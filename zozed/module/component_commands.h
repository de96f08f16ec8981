// What the managers' command handlers share: opening a catalogue component in the host's pane
// stack, and handing a command back to the host.
#pragma once

#include <string_view>

#include "zozed/module/catalogue_base.h"
#include "zozed/module/service_manager.h"

namespace zozed {

enum class ComponentToolbar { kNone, kFromEntry };

// When the call's first argument is the key of an entry of `catalogue`: sets the toolbar, shows
// the entry's pane titled with its display name, forwards the command to that pane and marks the
// call handled. Otherwise does nothing.
void open_component(CatalogueBase& catalogue, CommandCall& call, ComponentToolbar toolbar);

// Sends `command_id` with the call's arguments to the host's command target; the call is handled
// when the host took it.
void reissue_to_host(std::u16string_view command_id, CommandCall& call);

}  // namespace zozed
