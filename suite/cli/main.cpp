// The `zozed` command: starts the stand-in suite and runs its tasks the way a user would.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#include "suite/cli/commands.h"

int main(int argc, char** argv) {
  // Reports on stdout and questions on stderr stay in order when both go to one place.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  CLI::App app{
      "zozed - the Share and Save tasks of the photo suite, run from the command line.\n"
      "Sends photos by e-mail (converted to JPEG, shrunk to a screen or file size), saves\n"
      "items under new names and formats, exports collections, archives, and turns slide\n"
      "shows into video.",
      "zozed"};
  app.require_subcommand(0, 1);
  app.set_version_flag("-V,--version", ZOZED_VERSION);
  suite::cli::add_store_option(app);
  suite::cli::add_machine_options(app);
  suite::cli::add_version_command(app);
  suite::cli::add_reg_command(app);
  suite::cli::add_register_commands(app);
  suite::cli::add_status_command(app);
  suite::cli::add_catalogue_command(app);
  suite::cli::add_command_command(app);
  suite::cli::add_home_command(app);
  suite::cli::add_layout_command(app);
  suite::cli::add_pane_command(app);
  suite::cli::add_controls_command(app);
  suite::cli::add_media_command(app);
  suite::cli::add_options_command(app);
  suite::cli::add_prepare_command(app);
  suite::cli::add_email_command(app);

  CLI11_PARSE(app, argc, argv);
  if (!app.get_subcommands().empty()) return 0;
  try {
    return suite::cli::run_default();
  } catch (const CLI::Error& e) {
    return app.exit(e);
  }
}
