// `zozed prepare [FILE...] [--out DIR] [--json]`: the files prepared for mail as the
// Share-by-e-mail pane prepares them under the current e-mail options (gathered, converted to
// JPEG and shrunk into the suite's temporary folder), listed with their dimensions and sizes.
// Nothing is sent; the temporary folder goes with the suite, so --out keeps the results.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "platform/winnls.h"
#include "suite/cli/commands.h"
#include "suite/cli/task_options.h"

namespace suite::cli {
namespace {

namespace fs = std::filesystem;

struct PrepareRequest {
  TaskOptions task;
  std::string out;
  bool json = false;
};

// `name` in `folder`, or "name (2).ext" and up when that is taken: nothing of the user's is
// overwritten.
fs::path free_name(const fs::path& folder, const fs::path& name) {
  fs::path candidate = folder / name;
  for (int n = 2; fs::exists(candidate); ++n)
    candidate = folder / (name.stem().string() + " (" + std::to_string(n) + ")" + name.extension().string());
  return candidate;
}

// Copies each prepared file into `out` and points the listing at the copy.
void keep_in(const std::string& out, std::vector<TrayFile>& prepared) {
  std::error_code error;
  fs::create_directories(out, error);
  if (error) {
    std::cerr << "zozed: cannot make " << out << ": " << error.message() << "\n";
    throw CLI::RuntimeError(1);
  }
  for (TrayFile& file : prepared) {
    const fs::path source = file.path;
    const fs::path target = free_name(out, source.filename());
    fs::copy_file(source, target, error);
    if (error) {
      std::cerr << "zozed: cannot keep " << source.string() << " in " << out << ": " << error.message() << "\n";
      throw CLI::RuntimeError(1);
    }
    file.path = target.string();
  }
}

void print(const std::vector<TrayFile>& prepared, std::size_t given, const std::vector<MessageRequest>& messages,
           bool kept, bool json) {
  if (json) {
    nlohmann::ordered_json out;
    out["files"] = nlohmann::ordered_json::array();
    for (const auto& file : prepared)
      out["files"].push_back({{"path", file.path}, {"width", file.width}, {"height", file.height}, {"bytes", file.bytes}});
    out["messages"] = nlohmann::ordered_json::array();
    for (const auto& message : messages)
      out["messages"].push_back({{"text", platform::to_utf8(message.text)},
                                 {"further", platform::to_utf8(message.further)},
                                 {"details", message.details}});
    std::printf("%s\n", out.dump(2).c_str());
    return;
  }
  std::printf("%zu of %zu file(s) prepared%s:\n", prepared.size(), given,
              kept ? "" : " (removed when the suite stops; --out DIR keeps them)");
  for (const auto& file : prepared) print_tray_file(file);
}

int run_prepare(const PrepareRequest& request) {
  TaskRun run(request.task, {});
  auto prepared = run.pane().tray_files();
  if (!request.out.empty()) keep_in(request.out, prepared);
  const auto& messages = run.session().state().messages;
  print(prepared, run.files().size(), messages, !request.out.empty(), request.json);
  return messages.empty() && !prepared.empty() ? 0 : 1;
}

}  // namespace

void add_prepare_command(CLI::App& app) {
  auto* command = app.add_subcommand(
      "prepare", "Prepare files for mail as the Share-by-e-mail pane does (JPEG, shrunk); nothing is sent");
  auto request = std::make_shared<PrepareRequest>();
  add_task_options(*command, request->task);
  command->add_option("--out", request->out, "Keep the prepared files in this folder (never overwriting a file)")
      ->type_name("DIR");
  command->add_flag("--json", request->json, "Print the prepared files as JSON");
  command->callback([request] {
    if (const int status = run_prepare(*request); status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace suite::cli
