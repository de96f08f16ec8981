// Copying one file's contents, permissions and times onto another, shared by CopyFile and
// MoveFile across file systems.
#pragma once

#include "platform/src/files/path_resolution.h"

namespace platform::files {

// Both locations are checked: the source an existing file, the target's folder existing. On
// failure a target this call wrote is removed again, as CopyFile does. A Win32 error or 0.
DWORD copy_file(const Location& source, const Location& target, bool fail_if_exists);

}  // namespace platform::files
