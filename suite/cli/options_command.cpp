// `zozed options email [--json] [--set "Name=Value"]...`: the per-user e-mail options as the
// e-mail panes keep them, shown and changed by their value names. A change writes the whole
// record, missing values with their defaults, the way the panes save it.
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/winnls.h"
#include "suite/cli/commands.h"
#include "suite/cli/email_options_store.h"

namespace suite::cli {
namespace {

[[noreturn]] void fail(const std::string& message, int code = 2) {
  std::cerr << "zozed options: " << message << "\n";
  throw CLI::RuntimeError(code);
}

void print(const std::vector<EmailOptionValue>& values, bool json) {
  const auto kOptions = email_option_specs();
  if (json) {
    nlohmann::ordered_json out;
    out["key"] = std::string("HKEY_CURRENT_USER\\") + kEmailOptionsKey;
    out["values"] = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
      nlohmann::ordered_json entry;
      entry["name"] = kOptions[i].name;
      if (kOptions[i].kind == EmailOptionKind::Boolean)
        entry["value"] = values[i].number != 0;
      else if (kOptions[i].kind == EmailOptionKind::Number)
        entry["value"] = values[i].number;
      else
        entry["value"] = platform::to_utf8(values[i].text);
      entry["stored"] = values[i].stored;
      out["values"].push_back(std::move(entry));
    }
    std::printf("%s\n", out.dump(2).c_str());
    return;
  }
  for (std::size_t i = 0; i < kOptions.size(); ++i)
    std::printf("%-38s %s%s\n", kOptions[i].name, shown_email_option(kOptions[i], values[i]).c_str(),
                values[i].stored ? "" : "  (default, not stored)");
}

bool g_json = false;
std::vector<std::string> g_assignments;

void run_email_options() {
  use_registry_store();
  std::vector<EmailOptionValue> values = read_email_options();
  try {
    for (const auto& assignment : g_assignments) apply_email_option(values, assignment);
    if (!g_assignments.empty()) {
      write_email_options(values);
      values = read_email_options();
    }
  } catch (const std::invalid_argument& wrong) {
    fail(wrong.what());
  } catch (const std::runtime_error& failed) {
    fail(failed.what(), 1);
  }
  print(values, g_json);
}

}  // namespace

void add_options_command(CLI::App& app) {
  auto* options = app.add_subcommand("options", "Show or change the per-user options of a task");
  options->require_subcommand(1);
  auto* email = options->add_subcommand("email", "The e-mail options, by their registry value names");
  email->add_flag("--json", g_json, "Print the options as JSON");
  email->add_option("--set", g_assignments, "Change an option: \"Name=Value\" (Yes/No, a number, or a folder)");
  email->callback(run_email_options);
}

}  // namespace suite::cli
