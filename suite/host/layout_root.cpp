// The skin's layout folder as installed in the build tree, found from the executable.
#include <filesystem>
#include <system_error>

#include "platform/path_mapping.h"
#include "suite/host/suite_state.h"

namespace suite {

std::u16string default_layout_root() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const auto folder = (executable.parent_path() / ".." / "share" / "zozed" / "layouts").lexically_normal();
  return platform::windows_path_of(folder.string());
}

}  // namespace suite
