#include <mutex>
#include <vector>

#include "platform/ui_driver.h"

namespace {
std::mutex beeps_mutex;
std::vector<UINT>& recorded() {
  static std::vector<UINT> beeps;
  return beeps;
}
}  // namespace

namespace platform::ui {

std::vector<UINT> beeps() {
  std::lock_guard lock(beeps_mutex);
  return recorded();
}

void clear_beeps() {
  std::lock_guard lock(beeps_mutex);
  recorded().clear();
}

}  // namespace platform::ui

extern "C" BOOL WINAPI MessageBeep(UINT uType) {
  std::lock_guard lock(beeps_mutex);
  recorded().push_back(uType);
  return TRUE;
}
