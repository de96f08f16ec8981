// Library paths through the machine's drive table; a name beginning with "/" is taken as a POSIX
// path as it stands.
#include "platform/path_mapping.h"
#include "platform/src/loader/file_names.h"
#include "platform/winnls.h"

namespace platform::loader {
namespace {

bool is_separator(char16_t c) { return c == u'\\' || c == u'/'; }

bool names_a_drive_or_share(std::u16string_view path) {
  return (path.size() >= 2 && path[1] == u':') || (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1]));
}

}  // namespace

std::optional<std::string> posix_path_of(std::u16string_view path) {
  if (!path.empty() && path.front() == u'/') return platform::to_utf8(path);
  if (!names_a_drive_or_share(path)) return std::nullopt;
  return platform::posix_path_of(path);
}

std::u16string windows_path_of(std::string_view posix_path) { return platform::windows_path_of(posix_path); }

}  // namespace platform::loader
