// Whether a file operation meets one of the faults set through platform/file_faults.h.
#pragma once

#include <string>
#include <string_view>

#include "platform/src/profile/machine_state.h"

namespace platform::files {

// `posix_entry` lies below a folder set read-only.
bool write_denied(const profile::MachineState& machine, std::string_view posix_entry);
bool disk_full(const profile::MachineState& machine, std::u16string_view drive);

}  // namespace platform::files
