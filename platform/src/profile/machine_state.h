// The machine settings in force: profile and file faults, read as one immutable snapshot so that
// a file function sees a consistent table while another thread changes it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file_faults.h"
#include "platform/machine_profile.h"

namespace platform::profile {

// Orders names the way Windows compares them: ignoring case.
struct IgnoreCaseLess {
  bool operator()(const std::u16string& a, const std::u16string& b) const;
};

struct FileFaults {
  std::map<std::u16string, DiskSpace, IgnoreCaseLess> disk_space;
  std::set<std::u16string, IgnoreCaseLess> full_drives;
  std::vector<std::string> read_only_folders;
};

struct MachineState {
  MachineProfile profile = MachineProfile::defaults();
  FileFaults faults;
};

std::shared_ptr<const MachineState> machine_state();
void replace_machine_state(std::shared_ptr<const MachineState> state);
// Applies `change` to a copy of the state in force and puts the copy in force.
void update_machine_state(const std::function<void(MachineState&)>& change);

}  // namespace platform::profile
