// Finding the shared object for a DLL name: the executable's folder first, then the
// configured search path, the order in which Windows looks beside the program first.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <mutex>

#include "platform/libloaderapi.h"
#include "platform/src/loader/file_names.h"
#include "platform/winnls.h"

namespace platform::loader {
namespace {

struct SearchPath {
  std::mutex mutex;
  std::vector<std::string> directories;
};

SearchPath& setting() {
  static SearchPath s;
  return s;
}

std::string executable_directory() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  if (n <= 0) return {};
  std::string path(buffer, static_cast<std::size_t>(n));
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool is_file(const std::string& path) { return !path.empty() && access(path.c_str(), F_OK) == 0; }

bool ends_with_ignore_case(std::string_view s, std::string_view suffix) {
  if (s.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), s.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                    [](char wanted, char c) { return std::tolower(static_cast<unsigned char>(c)) == wanted; });
}

// "x.dll" -> "x.so"; "x" -> "x.so" (Windows adds ".dll" to a name without extension).
std::string shared_object_name(std::string name) {
  if (ends_with_ignore_case(name, ".dll")) name.resize(name.size() - 4);
  else if (name.find('.') != std::string::npos) return name;
  return name + ".so";
}

}  // namespace

void set_search_path(std::vector<std::string> directories) {
  auto& s = setting();
  std::lock_guard lock(s.mutex);
  s.directories = std::move(directories);
}

std::vector<std::string> search_path() {
  auto& s = setting();
  std::lock_guard lock(s.mutex);
  return s.directories;
}

std::optional<std::string> find_library(std::u16string_view name) {
  if (name.empty()) return std::nullopt;
  if (auto posix = posix_path_of(name)) {
    if (is_file(*posix)) return posix;
    return std::nullopt;
  }
  std::string relative = platform::to_utf8(name);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  if (relative.find('/') != std::string::npos || (relative.size() > 1 && relative[1] == ':')) {
    // A drive that is not mapped, or a path relative to the working directory.
    if (relative.size() > 1 && relative[1] == ':') return std::nullopt;
    if (is_file(relative)) return relative;
    return std::nullopt;
  }
  const std::string file = shared_object_name(relative);
  std::string lower = file;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::vector<std::string> directories{executable_directory()};
  for (auto& d : search_path()) directories.push_back(std::move(d));
  for (const auto& dir : directories) {
    if (dir.empty()) continue;
    for (const std::string& candidate : {file, lower}) {
      const std::string path = dir + '/' + candidate;
      if (is_file(path)) return path;
    }
  }
  return std::nullopt;
}

}  // namespace platform::loader
