// SharePaneDriver: the Share-by-e-mail pane run from the command line as the e-mail options pane
// would run it: shown in the side panel, handed the files as media items, then clicked like a user.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windef.h"
#include "suite/host/suite_session.h"

namespace suite::cli {

// A file the pane's tray holds after preparation.
struct TrayFile {
  std::string path;  // POSIX, or the host path when it maps to none
  int width = 0;
  int height = 0;
  std::int64_t bytes = 0;
};

class SharePaneDriver {
 public:
  // The step number the options pane gives the Share-by-e-mail pane.
  static constexpr LONG kStep = 3;

  explicit SharePaneDriver(Session& session) : session_(session) {}

  // Shows the pane, sends CameFromPane and ItemsAndStep with the files (preparation runs then).
  // Prints why and throws CLI::RuntimeError when a file is missing or the pane cannot be shown.
  void open(const std::vector<std::string>& files);

  HWND pane() const noexcept { return pane_; }
  // Clicks control `id` of the pane as a user would and runs what it starts; false when the
  // control is hidden or disabled.
  bool click(int id);
  LONG state(int id) const;
  bool enabled(int id) const;
  std::string text(int id) const;
  std::vector<TrayFile> tray_files() const;

  // Dispatches every queued message.
  static void pump();

 private:
  Session& session_;
  HWND pane_ = nullptr;
};

// The window a user's click on control `id` of `parent` lands on: the hosted control's own
// window, which covers its host window; null when there is no such control.
HWND clickable_window(HWND parent, int id);

// The automation text of a skinned control in any window (dialogs too); empty when none.
std::string control_text(HWND parent, int id);

}  // namespace suite::cli
