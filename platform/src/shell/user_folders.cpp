// Reading user-dirs.dirs: lines XDG_PICTURES_DIR="$HOME/Pictures", an absolute path or one
// relative to $HOME, in double quotes; '#' starts a comment.
#include "platform/src/shell/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace platform::shell {
namespace {

std::string absolute_env(const char* name) {
  const char* value = std::getenv(name);
  return value && value[0] == '/' ? std::string(value) : std::string();
}

// The value of one line, with "$HOME" expanded and backslash escapes taken out; empty when the
// line does not hold the wanted key.
std::string value_of(const std::string& line, const std::string& key) {
  std::size_t k = line.find_first_not_of(" \t");
  if (k == std::string::npos || line.compare(k, key.size(), key) != 0) return {};
  k = line.find_first_not_of(" \t", k + key.size());
  if (k == std::string::npos || line[k] != '=') return {};
  k = line.find_first_not_of(" \t", k + 1);
  if (k == std::string::npos || line[k] != '"') return {};
  std::string raw;
  for (++k; k < line.size() && line[k] != '"'; ++k) {
    if (line[k] == '\\' && k + 1 < line.size()) ++k;
    raw += line[k];
  }
  if (raw.rfind("$HOME", 0) == 0 && (raw.size() == 5 || raw[5] == '/')) return home_folder() + raw.substr(5);
  if (!raw.empty() && raw[0] == '/') return raw;
  return {};
}

}  // namespace

std::string home_folder() {
  if (std::string home = absolute_env("HOME"); !home.empty()) return home;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return "/";
}

std::string config_home() {
  const std::string config = absolute_env("XDG_CONFIG_HOME");
  return config.empty() ? home_folder() + "/.config" : config;
}

std::string data_home() {
  const std::string data = absolute_env("XDG_DATA_HOME");
  return data.empty() ? home_folder() + "/.local/share" : data;
}

std::string user_dir(std::string_view name, std::string_view fallback) {
  const std::string key = "XDG_" + std::string(name) + "_DIR";
  std::ifstream file(config_home() + "/user-dirs.dirs");
  std::string line, found;
  while (std::getline(file, line)) {
    if (std::string value = value_of(line, key); !value.empty()) found = std::move(value);
  }
  if (!found.empty()) {
    while (found.size() > 1 && found.back() == '/') found.pop_back();
    return found;
  }
  return home_folder() + "/" + std::string(fallback);
}

}  // namespace platform::shell
