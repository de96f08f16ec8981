// The managers a command can address by name on the command line.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "platform/guiddef.h"

namespace suite::cli {

struct ManagerChoice {
  const char* name;     // as typed: "share", "save"
  const char* display;  // "Share", "Save"
  const CLSID* clsid;
};

// The manager named `name` (one of those add_manager_argument accepts).
const ManagerChoice& choose_manager(const std::string& name);
// A required positional argument "share|save".
void add_manager_argument(CLI::App& command, std::string& into);

}  // namespace suite::cli
