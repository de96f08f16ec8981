// The suite's dialog templates for the module's panes and dialogs (resource type 5) and their
// init data (type 240), by template number; the environment serves them.
#pragma once

#include <optional>
#include <vector>

#include "platform/windef.h"

namespace suite {

// The DLGTEMPLATEEX bytes of template `id`, or none.
std::optional<std::vector<BYTE>> dialog_template(LONG id);
// The init data of template `id` (records for its ActiveX children), or none.
std::optional<std::vector<BYTE>> dialog_init_data(LONG id);
// Every template number the suite has.
std::vector<LONG> dialog_template_ids();

}  // namespace suite
