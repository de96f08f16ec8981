// The Save manager's commands: open a save component with its own toolbar, and hand the further
// save command to the host as "SaveAs".
#include <array>

#include "zozed/module/command_ids.h"
#include "zozed/module/component_commands.h"
#include "zozed/module/service_manager.h"

namespace zozed {

std::span<const CommandEntry<STGSaveManager>> STGSaveManager::commands() {
  static constexpr std::array<CommandEntry<STGSaveManager>, 3> kCommands{{
      {command::kSave, &STGSaveManager::save},
      {command::kOpenComponent, &STGSaveManager::shared_host_command},
      {command::kFurtherSave, &STGSaveManager::save_as},
  }};
  return kCommands;
}

void STGSaveManager::save(CommandCall& call) { open_component(main_, call, ComponentToolbar::kFromEntry); }

// A key of the Save catalogue opens that component as "Save" does; without a key the host is
// asked to run "SaveAs" on what is selected.
void STGSaveManager::shared_host_command(CommandCall& call) {
  if (call.first.vt == VT_EMPTY) {
    reissue_to_host(command::kSaveAs, call);
    return;
  }
  open_component(main_, call, ComponentToolbar::kFromEntry);
}

void STGSaveManager::save_as(CommandCall& call) { reissue_to_host(command::kSaveAs, call); }

}  // namespace zozed
