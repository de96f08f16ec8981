// A one-line progress bar on stderr while a pane prepares items; nothing when stderr is not a
// terminal.
#pragma once

#include <string>

#include "platform/windef.h"

namespace suite::cli {

class ProgressBar {
 public:
  explicit ProgressBar(std::string label);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // 1..100 draws the bar; 0 means the work is over and clears the line.
  void show(LONG percent);

 private:
  std::string label_;
  bool terminal_;
  bool drawn_ = false;
};

}  // namespace suite::cli
