// Where a Windows path leads on the POSIX file system: the drive or share it is on, and the
// POSIX path with each existing component spelled as on disk (exact name first, else the first
// name equal ignoring case), the way Windows finds names whatever their case.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/src/profile/machine_state.h"
#include "platform/windef.h"
#include "platform/winerror.h"

namespace platform::files {

struct Location {
  std::string posix;        // the whole path
  std::string parent;       // the POSIX folder of the last component
  std::u16string windows;   // the full Windows path, "." and ".." taken out
  std::u16string name;      // the last component, on-disk spelling when it exists
  std::u16string drive;     // "C:" or "\\\\server\\share"
  UINT drive_type = 0;
  bool is_root = false;        // the drive's root itself
  bool parent_exists = false;  // every component before the last is an existing folder
  bool exists = false;         // and so is the last one (file or folder)
  std::shared_ptr<const profile::MachineState> machine;  // the settings it was resolved with
};

struct ResolveOptions {
  std::size_t max_length = MAX_PATH - 1;       // without the \\?\ prefix
  DWORD too_long_error = ERROR_PATH_NOT_FOUND;
  bool wildcards_in_last = false;              // for searches
};

// ERROR_SUCCESS, or the Win32 error Windows gives for the path itself: ERROR_INVALID_NAME,
// ERROR_PATH_NOT_FOUND (unmapped drive, too long), ERROR_BAD_NETPATH, ERROR_NOT_READY.
// Missing components are no error here: see `exists` and `parent_exists`.
[[nodiscard]] DWORD resolve(const WCHAR* path, Location& out, const ResolveOptions& options = {});

// ERROR_FILE_NOT_FOUND when only the last component is missing, else ERROR_PATH_NOT_FOUND.
DWORD missing_error(const Location& location);

// The full Windows path of the current POSIX folder, or empty when no drive holds it.
std::u16string current_folder();

// "/a/b" for `posix` under the table's longest matching drive or share folder; empty for none.
std::u16string windows_path_in(const profile::MachineState& machine, std::string_view posix);

}  // namespace platform::files
