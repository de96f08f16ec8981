// The machine the suite runs on: `--profile FILE` (or ZOZED_PROFILE) sets drives, folders, code
// page and locale before any command runs; without a desktop, what would open in the file
// browser is printed instead.
#include <cstdio>

#include "platform/command_start.h"
#include "platform/machine_profile.h"
#include "suite/cli/commands.h"

namespace suite::cli {

void add_machine_options(CLI::App& app) {
  app.add_option("--profile",
                 "Machine profile (JSON): drive letters, shares, temporary and\n"
                 "pictures folders, ANSI code page and locale; also set by ZOZED_PROFILE.")
      ->type_name("FILE")
      ->envname("ZOZED_PROFILE")
      ->option_text("FILE")
      ->each([](const std::string& file) {
        try {
          platform::apply_machine_profile(platform::read_machine_profile(file));
        } catch (const platform::MachineProfileError& e) {
          throw CLI::ValidationError(e.what());
        }
      });

  if (!platform::desktop_available()) {
    platform::set_command_recorder([](const platform::StartedCommand& command) {
      std::printf("(no desktop session) would open in the file browser: %s\n", command.argv.back().c_str());
      std::fflush(stdout);
    });
  }
}

}  // namespace suite::cli
