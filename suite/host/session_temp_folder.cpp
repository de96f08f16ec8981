#include "suite/host/session_temp_folder.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/fileapi.h"
#include "platform/machine_profile.h"
#include "platform/path_mapping.h"

namespace suite {
namespace {

namespace fs = std::filesystem;

constexpr char kPrefix[] = "session-";

// The temporary folder in force as a POSIX path (the platform makes it when asked).
std::string current_temp_folder() {
  WCHAR buffer[2048] = {};
  const DWORD length = GetTempPathW(2048, buffer);
  if (length == 0 || length >= 2048) throw std::runtime_error("the temporary folder cannot be determined");
  const auto posix = platform::posix_path_of(std::u16string_view(buffer, length));
  if (!posix) throw std::runtime_error("the temporary folder is outside every mapped drive");
  return *posix;
}

// "session-<pid>-..." folders whose process is gone.
void sweep_abandoned(const fs::path& base) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(base, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kPrefix, 0) != 0) continue;
    const long pid = std::strtol(name.c_str() + sizeof kPrefix - 1, nullptr, 10);
    if (pid <= 0 || pid == ::getpid()) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    std::error_code ignored;
    fs::remove_all(entry.path(), ignored);
  }
}

}  // namespace

SessionTempFolder::SessionTempFolder() : previous_(platform::current_machine_profile().temp_folder) {
  const fs::path base = current_temp_folder();
  sweep_abandoned(base);
  std::string pattern = (base / (kPrefix + std::to_string(::getpid()) + "-XXXXXX")).string();
  if (!::mkdtemp(pattern.data()))
    throw std::runtime_error("cannot make a temporary folder in " + base.string() + ": " + std::strerror(errno));
  path_ = pattern;
  try {
    platform::set_temp_folder(path_);
  } catch (...) {
    std::error_code ignored;
    fs::remove(path_, ignored);
    throw;
  }
}

SessionTempFolder::~SessionTempFolder() {
  try {
    platform::set_temp_folder(previous_);
  } catch (...) {
    // The earlier folder went away meanwhile; the platform's default serves.
    try {
      platform::set_temp_folder({});
    } catch (...) {
    }
  }
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

}  // namespace suite
