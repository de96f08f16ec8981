// The verbs of the `zozed` command; each adds itself to the application.
#pragma once

#include <CLI/CLI.hpp>

namespace suite::cli {

void add_version_command(CLI::App& app);
void add_machine_options(CLI::App& app);

// What `zozed` does when given no verb.
int run_default();

}  // namespace suite::cli
