// Drive Z: is the root of the POSIX file system; no other drive is mapped here.
#include "platform/src/loader/file_names.h"
#include "platform/winnls.h"

namespace platform::loader {

std::optional<std::string> posix_path_of(std::u16string_view path) {
  if (!path.empty() && path.front() == u'/') return platform::to_utf8(path);
  if (path.size() >= 3 && (path[0] == u'Z' || path[0] == u'z') && path[1] == u':' &&
      (path[2] == u'\\' || path[2] == u'/')) {
    std::u16string posix(path.substr(2));
    for (auto& c : posix)
      if (c == u'\\') c = u'/';
    return platform::to_utf8(posix);
  }
  return std::nullopt;
}

std::u16string windows_path_of(std::string_view posix_path) {
  std::u16string path = platform::from_utf8(posix_path);
  for (auto& c : path)
    if (c == u'/') c = u'\\';
  return u"Z:" + path;
}

}  // namespace platform::loader
