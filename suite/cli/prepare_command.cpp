// `zozed prepare [FILE...] [--json]`: the files prepared for mail as the Share-by-e-mail pane
// prepares them under the current e-mail options (gathered, converted to JPEG and shrunk into
// the temporary folder), listed with their dimensions and sizes. Nothing is sent.
#include <cstdio>
#include <memory>

#include <nlohmann/json.hpp>

#include "platform/winnls.h"
#include "suite/cli/commands.h"
#include "suite/cli/running_suite.h"
#include "suite/cli/share_pane_driver.h"
#include "suite/cli/task_options.h"

namespace suite::cli {
namespace {

int run_prepare(const TaskOptions& options, bool json) {
  ProgressBar bar("Preparing");
  RunningSuite suite(task_settings(options, bar));
  ensure_pictures_folder();
  apply_task_assignments(options);
  const auto files = task_files(options);
  SharePaneDriver pane(suite.session());
  pane.open(files);
  bar.show(0);
  const auto prepared = pane.tray_files();
  const auto& messages = suite.session().state().messages;
  if (json) {
    nlohmann::ordered_json out;
    out["files"] = nlohmann::ordered_json::array();
    for (const auto& file : prepared)
      out["files"].push_back({{"path", file.path}, {"width", file.width}, {"height", file.height}, {"bytes", file.bytes}});
    out["messages"] = nlohmann::ordered_json::array();
    for (const auto& message : messages)
      out["messages"].push_back({{"text", platform::to_utf8(message.text)}, {"further", platform::to_utf8(message.further)}});
    std::printf("%s\n", out.dump(2).c_str());
  } else {
    std::printf("%zu of %zu file(s) prepared:\n", prepared.size(), files.size());
    for (const auto& file : prepared) {
      if (file.width > 0)
        std::printf("  %5d x %-5d %9lld bytes  %s\n", file.width, file.height, static_cast<long long>(file.bytes),
                    file.path.c_str());
      else
        std::printf("  %13s %9lld bytes  %s\n", "", static_cast<long long>(file.bytes), file.path.c_str());
    }
  }
  return messages.empty() ? 0 : 1;
}

}  // namespace

void add_prepare_command(CLI::App& app) {
  auto* command = app.add_subcommand(
      "prepare", "Prepare files for mail as the Share-by-e-mail pane does (JPEG, shrunk, in the temporary folder)");
  auto options = std::make_shared<TaskOptions>();
  auto json = std::make_shared<bool>(false);
  add_task_options(*command, *options);
  command->add_flag("--json", *json, "Print the prepared files as JSON");
  command->callback([options, json] {
    if (const int status = run_prepare(*options, *json); status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace suite::cli
