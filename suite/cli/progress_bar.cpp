#include "suite/cli/progress_bar.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace suite::cli {

namespace {
constexpr int kWidth = 30;
}

ProgressBar::ProgressBar(std::string label) : label_(std::move(label)), terminal_(isatty(STDERR_FILENO) != 0) {}

ProgressBar::~ProgressBar() { show(0); }

void ProgressBar::show(LONG percent) {
  if (!terminal_) return;
  if (percent <= 0) {
    if (drawn_) std::fprintf(stderr, "\r\033[K");
    drawn_ = false;
    std::fflush(stderr);
    return;
  }
  percent = std::min<LONG>(percent, 100);
  const int filled = static_cast<int>(percent * kWidth / 100);
  std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%", label_.c_str(), filled, "##############################",
               kWidth - filled, "", static_cast<int>(percent));
  std::fflush(stderr);
  drawn_ = true;
}

}  // namespace suite::cli
