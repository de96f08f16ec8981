// The global --store option: which registry store the commands read and write.
#include <iostream>

#include "platform/winreg.h"
#include "suite/cli/commands.h"

namespace suite::cli {
namespace {

std::string& chosen_store() {
  static std::string path;
  return path;
}

}  // namespace

void add_store_option(CLI::App& app) {
  app.add_option("--store", chosen_store(),
                 "Registry store file (SQLite) to use instead of the default\n"
                 "$XDG_DATA_HOME/zozed/registry.db; also set by ZOZED_STORE.\n"
                 "\":memory:\" gives an empty store that is gone on exit.")
      ->type_name("FILE");
}

const std::string& chosen_store_path() { return chosen_store(); }

std::shared_ptr<platform::registry::RegistryStore> use_registry_store() {
  std::shared_ptr<platform::registry::RegistryStore> store;
  try {
    store = chosen_store().empty() ? platform::registry::open_default_store()
                                   : platform::registry::open_store(chosen_store());
  } catch (const platform::registry::StoreError& e) {
    std::cerr << "zozed: " << e.what() << "\n";
    throw CLI::RuntimeError(2);
  }
  platform::registry::use_store(store);
  return store;
}

}  // namespace suite::cli
