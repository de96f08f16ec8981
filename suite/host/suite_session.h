// suite::Session: the running suite. Starting it registers the suite's host classes with
// CoRegisterClassObject; stopping it tells the shutdown listeners, revokes the classes and
// releases every object the suite holds.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/windef.h"
#include "suite/host/session_temp_folder.h"
#include "suite/host/suite_state.h"

namespace suite {

class Session {
 public:
  Session() = default;
  ~Session() { stop(); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Fails (and registers nothing) when a class cannot be registered, the session's temporary
  // folder cannot be made (start_failure() says why) or the suite already runs.
  [[nodiscard]] HRESULT start(SuiteSettings settings = {});
  const std::string& start_failure() const noexcept { return start_failure_; }
  void stop() noexcept;
  bool running() const noexcept { return state_ != nullptr; }

  // What the suite's objects were asked; only while running.
  SuiteState& state() noexcept { return *state_; }

 private:
  std::shared_ptr<SuiteState> state_;
  std::vector<DWORD> cookies_;
  std::unique_ptr<SessionTempFolder> temp_;  // outlives every object that may write into it
  std::string start_failure_;
};

}  // namespace suite
