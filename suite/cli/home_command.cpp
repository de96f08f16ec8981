// `zozed home`: the suite's home page as the host builds it from the `Home Page` catalogue, with
// what each entry opens.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/winnls.h"
#include "suite/cli/commands.h"
#include "suite/cli/running_suite.h"
#include "suite/host/home_page.h"

namespace suite::cli {
namespace {

using nlohmann::ordered_json;
using platform::to_utf8;

ordered_json describe(const HomeEntry& entry) {
  ordered_json out{{"key", to_utf8(entry.key)},
                   {"name", to_utf8(entry.name)},
                   {"priority", entry.priority},
                   {"glyph", {{"number", entry.glyph_number}, {"entry", to_utf8(entry.glyph_entry)}}},
                   {"tooltip", to_utf8(entry.tooltip)},
                   {"pane", to_utf8(entry.activity_pane)},
                   {"toolbar", to_utf8(entry.toolbar)},
                   {"sub_manager", to_utf8(entry.sub_manager)}};
  if (!entry.leads_to.empty()) {
    out["leads_to"] = ordered_json::array();
    for (const auto& next : entry.leads_to) out["leads_to"].push_back(describe(next));
  }
  return out;
}

void print_entry(const HomeEntry& entry, int depth) {
  const std::string indent(static_cast<std::size_t>(depth) * 4, ' ');
  std::printf("%s%s  %s  (priority %d, glyph %d %s)\n", indent.c_str(), to_utf8(entry.name).c_str(),
              to_utf8(entry.key).c_str(), entry.priority, entry.glyph_number, to_utf8(entry.glyph_entry).c_str());
  if (!entry.tooltip.empty()) std::printf("%s  \"%s\"\n", indent.c_str(), to_utf8(entry.tooltip).c_str());
  if (!entry.activity_pane.empty())
    std::printf("%s  opens the pane %s%s%s\n", indent.c_str(), to_utf8(entry.activity_pane).c_str(),
                entry.toolbar.empty() ? "" : " with the toolbar ", to_utf8(entry.toolbar).c_str());
  if (!entry.leads_to.empty())
    std::printf("%s  leads to \"%s\":\n", indent.c_str(), to_utf8(entry.sub_manager).c_str());
  for (const auto& next : entry.leads_to) print_entry(next, depth + 1);
}

void run(bool json) {
  RunningSuite suite;
  const auto entries = read_home_page(default_home_page_roots());
  if (json) {
    ordered_json out = ordered_json::array();
    for (const auto& entry : entries) out.push_back(describe(entry));
    std::cout << out.dump(2) << "\n";
    return;
  }
  if (entries.empty()) {
    std::printf("The home page is empty: no component is registered (run `zozed register`).\n");
    return;
  }
  std::printf("Home page:\n\n");
  for (const auto& entry : entries) print_entry(entry, 0);
}

}  // namespace

void add_home_command(CLI::App& app) {
  auto json = std::make_shared<bool>(false);
  auto* cmd = app.add_subcommand("home", "Show the suite's home page entries and what they open");
  cmd->add_flag("--json", *json, "Print JSON");
  cmd->callback([json] { run(*json); });
}

}  // namespace suite::cli
