// The public face of path resolution, for code that needs a POSIX path for a Windows one.
#include "platform/path_mapping.h"

#include "platform/src/files/path_resolution.h"

namespace platform {

std::optional<std::string> posix_path_of(std::u16string_view windows_path, DWORD* error) {
  const std::u16string path(windows_path);
  files::Location location;
  const DWORD result = files::resolve(path.c_str(), location);
  if (error) *error = result;
  if (result != ERROR_SUCCESS) return std::nullopt;
  return location.posix;
}

std::u16string windows_path_of(std::string_view posix_path) {
  return files::windows_path_in(*profile::machine_state(), posix_path);
}

}  // namespace platform
