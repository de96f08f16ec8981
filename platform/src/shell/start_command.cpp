// Starting a command detached: the program runs in a grandchild of its own session that init
// adopts, so nothing waits for it and no zombie is left. A recorder takes the command instead
// when one is installed.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>

#include "platform/command_start.h"
#include "platform/winbase.h"
#include "platform/winerror.h"
#include "platform/winnls.h"

namespace platform {
namespace {

struct Recorder {
  std::mutex mutex;
  CommandRecorder recorder;
};

Recorder& recorder() {
  static Recorder r;
  return r;
}

CommandRecorder exchange_recorder(CommandRecorder next) {
  auto& r = recorder();
  std::lock_guard lock(r.mutex);
  std::swap(r.recorder, next);
  return next;
}

std::string on_path(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!dirs.empty()) {
    const std::size_t colon = dirs.find(':');
    const std::string dir(dirs.substr(0, colon));
    dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    const std::string candidate = (dir.empty() ? std::string(".") : dir) + '/' + program;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

DWORD start_detached(const StartedCommand& command) {
  const std::string program = on_path(command.argv[0]);
  if (program.empty()) return ERROR_FILE_NOT_FOUND;
  std::vector<char*> argv;
  for (const auto& a : command.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int null_fd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  const pid_t child = ::fork();
  if (child < 0) {
    if (null_fd >= 0) ::close(null_fd);
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  if (child == 0) {
    ::setsid();
    if (::fork() != 0) ::_exit(0);
    if (null_fd >= 0) {
      ::dup2(null_fd, STDIN_FILENO);
      ::dup2(null_fd, STDOUT_FILENO);
    }
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  if (null_fd >= 0) ::close(null_fd);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return ERROR_SUCCESS;
}

}  // namespace

DWORD start_command_line(std::u16string_view command_line) {
  StartedCommand command;
  if (const DWORD error = command_for(command_line, command); error != ERROR_SUCCESS) return error;
  CommandRecorder record;
  {
    auto& r = recorder();
    std::lock_guard lock(r.mutex);
    record = r.recorder;
  }
  if (record) {
    record(command);
    return ERROR_SUCCESS;
  }
  return start_detached(command);
}

bool desktop_available() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

void set_command_recorder(CommandRecorder recorder) { exchange_recorder(std::move(recorder)); }

ScopedCommandRecorder::ScopedCommandRecorder(CommandRecorder recorder)
    : previous_(exchange_recorder(std::move(recorder))) {}

ScopedCommandRecorder::~ScopedCommandRecorder() { exchange_recorder(std::move(previous_)); }

}  // namespace platform

extern "C" UINT WINAPI WinExec(LPCSTR lpCmdLine, UINT) {
  if (!lpCmdLine) return ERROR_FILE_NOT_FOUND;
  const DWORD error = platform::start_command_line(platform::widen(lpCmdLine));
  if (error == ERROR_SUCCESS) return 33;  // any value above 31 means started
  return error <= 31 ? error : 0;
}
