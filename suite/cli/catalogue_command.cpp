// `zozed catalogue share|save`: the Share or Save manager, created through the registry as a host
// creates it, and every entry of its catalogue in the order it answers them.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "host/sub_manager.h"
#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/com_ptr.h"
#include "platform/winnls.h"
#include "suite/cli/commands.h"
#include "suite/cli/manager_choice.h"
#include "suite/cli/running_suite.h"

namespace suite::cli {
namespace {

using nlohmann::ordered_json;

std::string utf8(BSTR text) {
  std::string out = text ? platform::to_utf8(std::u16string_view(text, SysStringLen(text))) : std::string();
  SysFreeString(text);
  return out;
}

template <class Call>
std::string text_of(Call&& call) {
  BSTR text = nullptr;
  if (FAILED(call(&text))) {
    SysFreeString(text);
    return {};
  }
  return utf8(text);
}

ordered_json describe_entry(ISubManager* manager, LONG index) {
  ordered_json entry;
  entry["index"] = index;
  entry["key"] = text_of([&](BSTR* b) { return manager->GetKey(index, b); });
  entry["name"] = text_of([&](BSTR* b) { return manager->GetName(index, b); });
  LONG priority = 0;
  (void)manager->GetPriority(index, &priority);
  entry["priority"] = priority;
  entry["type"] = text_of([&](BSTR* b) { return manager->GetType(index, b); });
  entry["pane"] = text_of([&](BSTR* b) { return manager->GetActivityPane(index, b); });
  entry["toolbar"] = text_of([&](BSTR* b) { return manager->GetToolbar(index, b); });
  VARIANT_BOOL none = VARIANT_TRUE;
  (void)manager->HasNoSubManager(index, &none);
  if (none != VARIANT_FALSE) {
    entry["sub_manager"] = "none";
  } else {
    platform::ComPtr<IUnknown> sub;
    const HRESULT hr = manager->GetSubManager(index, sub.put());
    entry["sub_manager"] = SUCCEEDED(hr) && sub ? "present" : "present, cannot be created";
  }
  BSTR category = nullptr;
  BSTR path = nullptr;
  const HRESULT hr = manager->GetFileCategory(index, &category, &path);
  if (hr == S_OK) {
    entry["file_category"] = utf8(category);
    entry["configuration_path"] = utf8(path);
  } else {
    SysFreeString(category);
    SysFreeString(path);
    entry["file_category"] = hr == S_FALSE ? std::string("none") : hresult_text(hr);
  }
  entry["tooltip"] = text_of([&](BSTR* b) { return manager->GetToolTip(index, b); });
  LONG glyph = 0;
  BSTR glyph_entry = nullptr;
  if (SUCCEEDED(manager->GetGlyph(index, &glyph, &glyph_entry)))
    entry["glyph"] = ordered_json{{"number", glyph}, {"entry", utf8(glyph_entry)}};
  VARIANT_BOOL stack = VARIANT_FALSE;
  (void)manager->GetIsActivityPaneStack(index, &stack);
  entry["pane_stack"] = stack != VARIANT_FALSE;
  return entry;
}

void print_text(const std::string& manager_name, const ordered_json& entries) {
  std::printf("%s manager: %zu component%s\n", manager_name.c_str(), entries.size(), entries.size() == 1 ? "" : "s");
  for (const auto& e : entries) {
    std::printf("\n%d. %s  %s\n", e["index"].get<int>(), e["name"].get<std::string>().c_str(),
                e["key"].get<std::string>().c_str());
    std::printf("   priority %d, type \"%s\"%s\n", e["priority"].get<int>(), e["type"].get<std::string>().c_str(),
                e["pane_stack"].get<bool>() ? ", pane stack" : "");
    const auto line = [&](const char* label, const std::string& value) {
      if (!value.empty()) std::printf("   %-14s %s\n", label, value.c_str());
    };
    line("pane", e["pane"].get<std::string>());
    line("toolbar", e["toolbar"].get<std::string>());
    line("sub-manager", e["sub_manager"].get<std::string>());
    line("file category", e["file_category"].get<std::string>());
    if (e.contains("configuration_path")) line("configuration", e["configuration_path"].get<std::string>());
    line("tooltip", e["tooltip"].get<std::string>());
    if (e.contains("glyph") && (e["glyph"]["number"].get<int>() != 0 || !e["glyph"]["entry"].get<std::string>().empty()))
      line("glyph", std::to_string(e["glyph"]["number"].get<int>()) + " " + e["glyph"]["entry"].get<std::string>());
  }
}

struct Options {
  std::string manager;
  std::string roots;
  bool json = false;
};

void run(const Options& options) {
  SuiteSettings settings;
  if (!options.roots.empty()) settings.catalogue_roots = split_roots(options.roots);
  RunningSuite suite(std::move(settings));
  const ManagerChoice& choice = choose_manager(options.manager);
  platform::ComPtr<ISubManager> manager;
  if (const HRESULT hr =
          CoCreateInstance(*choice.clsid, nullptr, CLSCTX_ALL, IID_ISubManager, manager.put_void());
      FAILED(hr))
    fail("cannot create the " + std::string(choice.name) + " manager", hr);
  LONG count = 0;
  if (const HRESULT hr = manager->GetCount(&count); FAILED(hr)) fail("the manager cannot count its entries", hr);
  ordered_json entries = ordered_json::array();
  for (LONG i = 0; i < count; ++i) entries.push_back(describe_entry(manager.get(), i));
  if (options.json)
    std::cout << ordered_json{{"manager", choice.name}, {"entries", entries}}.dump(2) << "\n";
  else
    print_text(choice.display, entries);
}

}  // namespace

void add_catalogue_command(CLI::App& app) {
  auto options = std::make_shared<Options>();
  auto* cmd = app.add_subcommand("catalogue", "List the components a manager offers, as the host sees them");
  add_manager_argument(*cmd, options->manager);
  cmd->add_option("--roots", options->roots,
                  "Catalogue roots below HKEY_LOCAL_MACHINE, separated by ';'\n"
                  "(default: the Std, StdPlus and Pro editions' client roots)")
      ->type_name("\"R1;R2;...\"");
  cmd->add_flag("--json", options->json, "Print JSON");
  cmd->callback([options] { run(*options); });
}

}  // namespace suite::cli
