// Paths as the suite's host objects receive them ("file::Z:\photos\a.jpg", or a plain Windows
// path) and as the picture pipeline needs them (POSIX).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace suite {

inline constexpr std::u16string_view kFileProtocol = u"file::";

// The Windows path without the "file::" prefix (any case); other text is returned as it is.
std::u16string_view strip_file_protocol(std::u16string_view path);
// "file::" + `windows_path`, unless it carries the prefix already.
std::u16string with_file_protocol(std::u16string_view windows_path);
// The POSIX path of a host path; nothing for an empty path or one on no mapped drive or share.
std::optional<std::string> posix_of_host_path(std::u16string_view path);

}  // namespace suite
