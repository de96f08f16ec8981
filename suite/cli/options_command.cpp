// `zozed options email [--json] [--set "Name=Value"]...`: the per-user e-mail options as the
// module keeps them, shown and changed by their value names. The module fills in its defaults
// the first time, as the e-mail panes do; a change here is kept for every later run.
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/winreg.h"
#include "suite/cli/commands.h"
#include "suite/cli/email_options_store.h"
#include "suite/cli/running_suite.h"

namespace suite::cli {
namespace {

[[noreturn]] void refuse(const std::string& message, int code) {
  std::cerr << "zozed options: " << message << "\n";
  throw CLI::RuntimeError(code);
}

void print(const std::vector<StoredOption>& options, bool json) {
  if (json) {
    nlohmann::ordered_json out;
    out["key"] = std::string("HKEY_CURRENT_USER\\") + kEmailOptionsKey;
    out["values"] = nlohmann::ordered_json::array();
    for (const StoredOption& option : options) {
      nlohmann::ordered_json entry;
      entry["name"] = option.name;
      if (option.is_switch())
        entry["value"] = option.is_on();
      else if (option.type == REG_DWORD)
        entry["value"] = option.number;
      else
        entry["value"] = option.shown();
      out["values"].push_back(std::move(entry));
    }
    std::printf("%s\n", out.dump(2).c_str());
    return;
  }
  for (const StoredOption& option : options) std::printf("%-38s %s\n", option.name.c_str(), option.shown().c_str());
}

struct OptionsRequest {
  bool json = false;
  std::vector<std::string> assignments;
};

void run_email_options(const OptionsRequest& request) {
  if (!ensure_module_registered()) throw CLI::RuntimeError(1);
  RunningSuite suite;
  complete_email_options();
  try {
    for (const auto& assignment : request.assignments) set_email_option(assignment);
  } catch (const std::invalid_argument& wrong) {
    refuse(wrong.what(), 2);
  } catch (const std::runtime_error& failed) {
    refuse(failed.what(), 1);
  }
  print(read_email_options(), request.json);
}

}  // namespace

void add_options_command(CLI::App& app) {
  auto* options = app.add_subcommand("options", "Show or change the per-user options of a task");
  options->require_subcommand(1);
  auto request = std::make_shared<OptionsRequest>();
  auto* email = options->add_subcommand(
      "email", "The e-mail options, by their registry value names (the e-mail task fills in its defaults)");
  email->add_flag("--json", request->json, "Print the options as JSON");
  email
      ->add_option("--set", request->assignments,
                   "Change an option for good: \"Name=Value\" (Yes/No, a number, or a folder); repeat for several")
      ->allow_extra_args(false)
      ->type_name("NAME=VALUE");
  email->callback([request] { run_email_options(*request); });
}

}  // namespace suite::cli
