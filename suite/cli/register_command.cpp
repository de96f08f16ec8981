// `zozed register` / `zozed unregister`: the module's own DllRegisterServer or
// DllUnregisterServer, run against the chosen registry store as regsvr32 runs them.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "platform/libloaderapi.h"
#include "platform/winerror.h"
#include "platform/winnls.h"
#include "suite/cli/commands.h"

namespace suite::cli {
namespace {

constexpr const char* kDefaultModule = "ZozedAradizuzOdaru.so";

int run(const std::string& module_name, const char* entry, const char* done) {
  use_registry_store();
  const HMODULE module = LoadLibraryA(module_name.c_str());
  if (!module) {
    std::cerr << "zozed: cannot load the module \"" << module_name << "\"\n";
    return 1;
  }
  const std::u16string path = platform::module_path_of(reinterpret_cast<const void*>(module));
  int status = 0;
  using Entry = HRESULT (*)();
  const auto function = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, entry)));
  if (!function) {
    std::cerr << "zozed: " << platform::to_utf8(path) << " does not export " << entry << "\n";
    status = 1;
  } else if (const HRESULT hr = function(); FAILED(hr)) {
    std::fprintf(stderr, "zozed: %s failed with 0x%08X\n", entry, static_cast<unsigned>(hr));
    status = 1;
  } else {
    std::printf("%s %s\n", platform::to_utf8(path).c_str(), done);
  }
  FreeLibrary(module);
  return status;
}

void add_verb(CLI::App& app, const char* name, const char* help, const char* entry, const char* done) {
  auto* cmd = app.add_subcommand(name, help);
  auto module = std::make_shared<std::string>(kDefaultModule);
  cmd->add_option("--module", *module, "The module's shared object (default: the one beside zozed)")
      ->type_name("PATH");
  cmd->callback([module, entry, done] {
    if (const int status = run(*module, entry, done); status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace

void add_register_commands(CLI::App& app) {
  add_verb(app, "register", "Register the module's classes, catalogue entries and type libraries",
           "DllRegisterServer", "registered");
  add_verb(app, "unregister", "Remove the module's registration (shared keys stay)", "DllUnregisterServer",
           "unregistered");
}

}  // namespace suite::cli
