// `zozed register` / `zozed unregister`: the module's own DllRegisterServer or
// DllUnregisterServer, run against the chosen registry store as regsvr32 runs them.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include <filesystem>

#include "platform/libloaderapi.h"
#include "platform/objbase.h"
#include "platform/path_mapping.h"
#include "platform/support/reg_key.h"
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

// The module's server path as registered for the Share-by-e-mail pane, when it names a file
// that exists.
bool module_registered() {
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(u"STGZozedAradizuzOdaru.STGShareByEmail", &clsid))) return false;
  OLECHAR text[CHARS_IN_GUID] = {};
  StringFromGUID2(clsid, text, CHARS_IN_GUID);
  platform::RegKey server;
  if (server.open(HKEY_CLASSES_ROOT, std::u16string(u"CLSID\\") + text + u"\\InprocServer32", KEY_READ) != ERROR_SUCCESS)
    return false;
  std::u16string path;
  if (server.get_string(u"", path) != ERROR_SUCCESS || path.empty()) return false;
  const auto posix = platform::posix_path_of(path);
  return posix && std::filesystem::exists(*posix);
}

}  // namespace

bool ensure_module_registered() {
  use_registry_store();
  if (module_registered()) return true;
  std::printf("First run: registering the module.\n");
  return run(kDefaultModule, "DllRegisterServer", "registered") == 0;
}

void add_register_commands(CLI::App& app) {
  add_verb(app, "register", "Register the module's classes, catalogue entries and type libraries",
           "DllRegisterServer", "registered");
  add_verb(app, "unregister", "Remove the module's registration (shared keys stay)", "DllUnregisterServer",
           "unregistered");
}

}  // namespace suite::cli
