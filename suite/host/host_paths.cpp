#include "suite/host/host_paths.h"

#include <algorithm>
#include <cctype>

#include "platform/path_mapping.h"

namespace suite {

std::u16string_view strip_file_protocol(std::u16string_view path) {
  if (path.size() < kFileProtocol.size()) return path;
  const bool prefixed = std::equal(kFileProtocol.begin(), kFileProtocol.end(), path.begin(), [](char16_t a, char16_t b) {
    return a == (b < 0x80 ? static_cast<char16_t>(std::tolower(static_cast<int>(b))) : b);
  });
  return prefixed ? path.substr(kFileProtocol.size()) : path;
}

std::u16string with_file_protocol(std::u16string_view windows_path) {
  if (strip_file_protocol(windows_path).size() != windows_path.size()) return std::u16string(windows_path);
  return std::u16string(kFileProtocol) + std::u16string(windows_path);
}

std::optional<std::string> posix_of_host_path(std::u16string_view path) {
  const std::u16string_view windows = strip_file_protocol(path);
  if (windows.empty()) return std::nullopt;
  return platform::posix_path_of(windows);
}

}  // namespace suite
