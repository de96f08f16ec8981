// Where the loader and COM find a file named the Windows way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::loader {

// A Windows path on a mapped drive or share ("Z:\usr\lib\x.so", names found whatever their
// case) or a POSIX absolute path, as a POSIX path; nothing for anything else (a bare name, a
// relative path, a drive that is not mapped).
std::optional<std::string> posix_path_of(std::u16string_view windows_path);
// The other way: "/usr/lib/x.so" as "Z:\usr\lib\x.so"; empty when no drive holds it.
std::u16string windows_path_of(std::string_view posix_path);

// The shared object a DLL name stands for: a path as above, else "x.dll" (or "x", which
// gets ".dll" as on Windows) as "x.so" beside the executable or on the search path.
// Nothing when no such file exists.
std::optional<std::string> find_library(std::u16string_view name);

}  // namespace platform::loader
