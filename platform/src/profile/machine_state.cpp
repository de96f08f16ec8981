// One process-wide machine state behind a mutex; readers keep their snapshot alive.
#include "platform/src/profile/machine_state.h"

#include <mutex>

#include "platform/wide_crt.h"

namespace platform::profile {
namespace {

struct Current {
  std::mutex mutex;
  std::shared_ptr<const MachineState> state = std::make_shared<const MachineState>();
};

Current& current() {
  static Current c;
  return c;
}

}  // namespace

bool IgnoreCaseLess::operator()(const std::u16string& a, const std::u16string& b) const {
  return compare_ignore_case(a, b) < 0;
}

std::shared_ptr<const MachineState> machine_state() {
  auto& c = current();
  std::lock_guard lock(c.mutex);
  return c.state;
}

void replace_machine_state(std::shared_ptr<const MachineState> state) {
  auto& c = current();
  std::lock_guard lock(c.mutex);
  c.state = std::move(state);
}

void update_machine_state(const std::function<void(MachineState&)>& change) {
  auto& c = current();
  std::lock_guard lock(c.mutex);
  auto copy = std::make_shared<MachineState>(*c.state);
  change(*copy);
  c.state = std::move(copy);
}

}  // namespace platform::profile
