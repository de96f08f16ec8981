// `zozed command share|save ID`: sends one command to a manager as the host sends it, and shows
// what followed: the answer, the pane stack's operations, the pane messages and the commands
// handed back to the host.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "host/sub_manager.h"
#include "platform/objbase.h"
#include "platform/path_mapping.h"
#include "platform/support/bstr.h"
#include "platform/support/com_ptr.h"
#include "platform/support/safe_array.h"
#include "platform/support/variant.h"
#include "platform/winnls.h"
#include "suite/cli/commands.h"
#include "suite/cli/manager_choice.h"
#include "suite/cli/running_suite.h"

namespace suite::cli {
namespace {

using nlohmann::ordered_json;
using platform::to_utf8;

struct Options {
  std::string manager;
  std::string id;
  std::string key;
  std::vector<std::string> items;
  std::optional<int> arg2;
  bool json = false;
};

// The items as the host hands them over: the files' full paths in a string array.
platform::Variant items_argument(const std::vector<std::string>& files) {
  auto array = platform::SafeArray::create_vector(VT_BSTR, 0, static_cast<ULONG>(files.size()));
  if (!array) throw std::bad_alloc();
  for (LONG i = 0; i < static_cast<LONG>(files.size()); ++i) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(files[static_cast<std::size_t>(i)], error);
    const platform::Bstr path(platform::windows_path_of(error ? files[static_cast<std::size_t>(i)] : absolute.string()));
    if (FAILED(SafeArrayPutElement(array.get(), &i, path.get()))) throw std::bad_alloc();
  }
  return platform::Variant(std::move(array));
}

ordered_json record(const SuiteState& state) {
  ordered_json out;
  out["pane_stack"] = ordered_json::array();
  for (const auto& op : state.pane_operations) {
    ordered_json args = ordered_json::array();
    for (const auto& a : op.arguments) args.push_back(to_utf8(a));
    out["pane_stack"].push_back({{"operation", to_utf8(op.name)}, {"arguments", args}, {"result", hresult_text(op.result)}});
  }
  out["pane_messages"] = ordered_json::array();
  for (const auto& m : state.pane_messages)
    out["pane_messages"].push_back({{"pane", to_utf8(m.pane)},
                                    {"message", to_utf8(m.message_id)},
                                    {"value", to_utf8(m.value)},
                                    {"extra", to_utf8(m.extra)},
                                    {"flags", m.flags},
                                    {"handled", m.handled}});
  out["host_commands"] = ordered_json::array();
  for (const auto& c : state.commands) {
    ordered_json args = ordered_json::array();
    for (const auto& a : c.arguments) args.push_back(to_utf8(a));
    out["host_commands"].push_back({{"method", to_utf8(c.method)}, {"command", to_utf8(c.command_id)}, {"arguments", args}});
  }
  return out;
}

std::string joined(const ordered_json& arguments) {
  std::string text;
  for (const auto& a : arguments) text += (text.empty() ? "" : ", ") + a.get<std::string>();
  return text;
}

void print_text(const ordered_json& out) {
  std::printf("%s -> %s, handled %d\n", out["command"].get<std::string>().c_str(),
              out["result"].get<std::string>().c_str(), out["handled"].get<int>());
  if (!out["pane_stack"].empty()) std::printf("\npane stack:\n");
  for (const auto& op : out["pane_stack"])
    std::printf("  %s(%s) -> %s\n", op["operation"].get<std::string>().c_str(), joined(op["arguments"]).c_str(),
                op["result"].get<std::string>().c_str());
  if (!out["pane_messages"].empty()) std::printf("\npane messages:\n");
  for (const auto& m : out["pane_messages"])
    std::printf("  to %s: %s value %s extra %s flags %d, handled %d\n", m["pane"].get<std::string>().c_str(),
                m["message"].get<std::string>().c_str(), m["value"].get<std::string>().c_str(),
                m["extra"].get<std::string>().c_str(), m["flags"].get<int>(), m["handled"].get<int>());
  if (!out["host_commands"].empty()) std::printf("\ncommands handed to the host:\n");
  for (const auto& c : out["host_commands"])
    std::printf("  %s %s (%s)\n", c["method"].get<std::string>().c_str(), c["command"].get<std::string>().c_str(),
                joined(c["arguments"]).c_str());
  if (out["pane_stack"].empty() && out["host_commands"].empty()) std::printf("nothing else happened\n");
}

void run(const Options& options) {
  RunningSuite suite;
  const ManagerChoice& choice = choose_manager(options.manager);
  platform::ComPtr<ICommandTarget> target;
  if (const HRESULT hr = CoCreateInstance(*choice.clsid, nullptr, CLSCTX_ALL, IID_ICommandTarget, target.put_void());
      FAILED(hr))
    fail("cannot create the " + std::string(choice.name) + " manager", hr);

  platform::Variant first;
  if (!options.items.empty())
    first = items_argument(options.items);
  else if (!options.key.empty())
    first = platform::Variant(std::u16string_view(platform::from_utf8(options.key)));
  platform::Variant second;
  if (options.arg2) second = platform::Variant(static_cast<LONG>(*options.arg2));
  const platform::Variant third;

  const platform::Bstr id(platform::from_utf8(options.id));
  LONG handled = 0;
  const HRESULT hr = target->ExecCommand(id.get(), *first.get(), *second.get(), *third.get(), &handled);
  target.reset();

  ordered_json out;
  out["manager"] = choice.name;
  out["command"] = options.id;
  out["result"] = hresult_text(hr);
  out["handled"] = handled;
  out.update(record(suite.session().state()));
  if (options.json)
    std::cout << out.dump(2) << "\n";
  else
    print_text(out);
}

}  // namespace

void add_command_command(CLI::App& app) {
  auto options = std::make_shared<Options>();
  auto* cmd = app.add_subcommand("command", "Send one command to a manager, as the host does, and show what it did");
  add_manager_argument(*cmd, options->manager);
  cmd->add_option("id", options->id, "The command id, a CLSID string such as {F2BFE090-B34B-45d6-93EE-905255ECF886}")
      ->required();
  auto* key = cmd->add_option("--key", options->key, "First argument: a component key (for Share, Save)");
  cmd->add_option("--items", options->items, "First argument: these files, as the items handed over")
      ->type_name("FILE...")
      ->excludes(key);
  cmd->add_option("--arg2", options->arg2, "Second argument: a 32-bit integer (e.g. 1 to return to the caller)")
      ->type_name("N");
  cmd->add_flag("--json", options->json, "Print JSON");
  cmd->callback([options] { run(*options); });
}

}  // namespace suite::cli
