// Starting a program by a Windows command line. The one program known here is "explorer", the
// file browser: "explorer /n,\"C:\\Photos\"" opens the folder with the desktop's browser
// (xdg-open), detached. Tests and headless tools install a recorder that receives the command
// instead.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

namespace platform {

struct StartedCommand {
  std::u16string command_line;    // as given
  std::vector<std::string> argv;  // the POSIX program and arguments it stands for
};

// ERROR_SUCCESS once started (never waits for it), else ERROR_FILE_NOT_FOUND for an unknown
// program or a missing browser, ERROR_PATH_NOT_FOUND for a path outside the drive table.
[[nodiscard]] DWORD start_command_line(std::u16string_view command_line);

// What the command line stands for, without starting anything.
[[nodiscard]] DWORD command_for(std::u16string_view command_line, StartedCommand& command);

// Whether a graphical session is there to show a browser.
bool desktop_available();

using CommandRecorder = std::function<void(const StartedCommand&)>;

// While it lives, commands go to the recorder instead of being started.
class ScopedCommandRecorder {
 public:
  explicit ScopedCommandRecorder(CommandRecorder recorder);
  ~ScopedCommandRecorder();
  ScopedCommandRecorder(const ScopedCommandRecorder&) = delete;
  ScopedCommandRecorder& operator=(const ScopedCommandRecorder&) = delete;

 private:
  CommandRecorder previous_;
};

// For a program's lifetime (the CLI without a desktop); null starts commands again.
void set_command_recorder(CommandRecorder recorder);

}  // namespace platform
