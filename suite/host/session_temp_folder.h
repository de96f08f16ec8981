// Each running suite has a temporary folder of its own (what GetTempPathW answers while it runs),
// removed when it stops: prepared files never pile up between runs, so a photo sent again keeps
// its own name. Folders left by suites that died are swept when the next one starts.
#pragma once

#include <string>

namespace suite {

class SessionTempFolder {
 public:
  // Makes "session-<pid>-XXXXXX" below the temporary folder in force and puts it in force.
  // Throws std::runtime_error saying why when it cannot.
  SessionTempFolder();
  // Puts the earlier temporary folder back in force and removes this one with what it holds.
  ~SessionTempFolder();
  SessionTempFolder(const SessionTempFolder&) = delete;
  SessionTempFolder& operator=(const SessionTempFolder&) = delete;

  const std::string& path() const noexcept { return path_; }

 private:
  std::string previous_;  // the profile's own setting (empty: the platform's default)
  std::string path_;
};

}  // namespace suite
