// The verbs of the `zozed` command; each adds itself to the application.
#pragma once

#include <CLI/CLI.hpp>

#include <memory>

namespace platform::registry {
class RegistryStore;
}

namespace suite::cli {

void add_version_command(CLI::App& app);
void add_reg_command(CLI::App& app);
// `register` and `unregister`: the module's DllRegisterServer / DllUnregisterServer.
void add_register_commands(CLI::App& app);
// Registers the module beside zozed unless its classes are registered already (the first run).
bool ensure_module_registered();

// The global --store option (ZOZED_STORE when absent). `use_registry_store` opens the chosen
// store and makes it the process's registry; if it cannot, it prints why and fails the command.
void add_store_option(CLI::App& app);
std::shared_ptr<platform::registry::RegistryStore> use_registry_store();
void add_machine_options(CLI::App& app);
void add_status_command(CLI::App& app);
// `catalogue`, `command` and `home`: the managers and the home page as the host meets them.
void add_catalogue_command(CLI::App& app);
void add_command_command(CLI::App& app);
void add_home_command(CLI::App& app);
void add_layout_command(CLI::App& app);
void add_pane_command(CLI::App& app);
void add_controls_command(CLI::App& app);  // `controls`: the host's skinned controls, placed and clicked
void add_media_command(CLI::App& app);
void add_options_command(CLI::App& app);
void add_prepare_command(CLI::App& app);  // `prepare`: files prepared for mail, nothing sent
void add_email_command(CLI::App& app);    // `email`: the Share-by-e-mail pane run to the end  // `options email`
// The --store file given on the command line (empty: the default store or ZOZED_STORE).
const std::string& chosen_store_path();

// What `zozed` does when given no verb: the e-mail task on the sample photos.
int run_default();

}  // namespace suite::cli
