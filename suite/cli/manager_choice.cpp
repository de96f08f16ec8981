#include "suite/cli/manager_choice.h"

#include <array>

namespace suite::cli {
namespace {

// The module's two managers; the suite knows them by the CLSIDs their catalogue entries name.
constexpr CLSID kShareManager = platform::make_guid("{30355CD8-0A54-4ce7-838E-BF048256AF96}");
constexpr CLSID kSaveManager = platform::make_guid("{7870233D-CC32-4de4-9FD5-C455EFDDEEAD}");

constexpr std::array<ManagerChoice, 2> kManagers{{
    {"share", "Share", &kShareManager},
    {"save", "Save", &kSaveManager},
}};

}  // namespace

const ManagerChoice& choose_manager(const std::string& name) {
  for (const auto& choice : kManagers)
    if (name == choice.name) return choice;
  throw CLI::ValidationError("manager", "unknown manager \"" + name + "\"");
}

void add_manager_argument(CLI::App& command, std::string& into) {
  command.add_option("manager", into, "Which manager: share or save")
      ->required()
      ->check(CLI::IsMember({"share", "save"}));
}

}  // namespace suite::cli
