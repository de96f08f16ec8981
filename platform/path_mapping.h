// Windows paths as POSIX paths and back, through the drive and share tables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/windef.h"

namespace platform {

// "C:\\Photos\\a.JPG" as the POSIX path of the existing file whatever the case of its names
// ("/home/u/c/photos/a.jpg"); components that do not exist keep the caller's spelling. Also
// "\\\\server\\share\\..." and paths relative to the current folder. Nothing, with the Win32
// error in `error`, for a path that cannot be mapped.
std::optional<std::string> posix_path_of(std::u16string_view windows_path, DWORD* error = nullptr);

// "/home/u/c/photos" as "C:\\photos": the drive or share with the longest folder holding it;
// empty when none does.
std::u16string windows_path_of(std::string_view posix_path);

}  // namespace platform
