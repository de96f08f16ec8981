// Setting the test faults, and the checks the file functions make against them.
#include "platform/file_faults.h"

#include <algorithm>

#include "platform/src/files/fault_checks.h"
#include "platform/src/profile/profile_checks.h"

namespace platform {

void set_disk_space(std::u16string_view drive, std::optional<DiskSpace> space) {
  profile::update_machine_state([&](profile::MachineState& state) {
    if (space)
      state.faults.disk_space[std::u16string(drive)] = *space;
    else
      state.faults.disk_space.erase(std::u16string(drive));
  });
}

void set_disk_full(std::u16string_view drive, bool full) {
  profile::update_machine_state([&](profile::MachineState& state) {
    if (full)
      state.faults.full_drives.insert(std::u16string(drive));
    else
      state.faults.full_drives.erase(std::u16string(drive));
  });
}

void set_read_only_folder(std::string posix_folder, bool read_only) {
  posix_folder = profile::checked_folder(std::move(posix_folder), {}, "read-only folder");
  profile::update_machine_state([&](profile::MachineState& state) {
    auto& folders = state.faults.read_only_folders;
    folders.erase(std::remove(folders.begin(), folders.end(), posix_folder), folders.end());
    if (read_only) folders.push_back(posix_folder);
  });
}

void clear_file_faults() {
  profile::update_machine_state([](profile::MachineState& state) { state.faults = {}; });
}

}  // namespace platform

namespace platform::files {

bool write_denied(const profile::MachineState& machine, std::string_view entry) {
  for (const auto& folder : machine.faults.read_only_folders) {
    const std::string prefix = folder == "/" ? folder : folder + '/';
    if (entry.size() > prefix.size() && entry.substr(0, prefix.size()) == prefix) return true;
  }
  return false;
}

bool disk_full(const profile::MachineState& machine, std::u16string_view drive) {
  return machine.faults.full_drives.count(std::u16string(drive)) != 0;
}

}  // namespace platform::files
