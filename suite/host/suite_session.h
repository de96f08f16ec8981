// suite::Session: the running suite. Starting it registers the suite's host classes with
// CoRegisterClassObject; stopping it tells the shutdown listeners, revokes the classes and
// releases every object the suite holds.
#pragma once

#include <memory>
#include <vector>

#include "platform/windef.h"
#include "suite/host/suite_state.h"

namespace suite {

class Session {
 public:
  Session() = default;
  ~Session() { stop(); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Fails (and registers nothing) when a class cannot be registered or the suite already runs.
  [[nodiscard]] HRESULT start(SuiteSettings settings = {});
  void stop() noexcept;
  bool running() const noexcept { return state_ != nullptr; }

  // What the suite's objects were asked; only while running.
  SuiteState& state() noexcept { return *state_; }

 private:
  std::shared_ptr<SuiteState> state_;
  std::vector<DWORD> cookies_;
};

}  // namespace suite
