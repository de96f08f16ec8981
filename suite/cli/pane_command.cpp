// `zozed pane CLSID-or-class-name [--size WxH] [--json]`: shows one of the module's panes in
// the side panel at that size, as the suite's pane stack shows it, and lists its controls.
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "host/activity_component.h"
#include "host/activity_host.h"
#include "host/control_host_window.h"
#include "host/pane_messages.h"
#include "host/skinned_controls.h"
#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/reg_key.h"
#include "platform/support/variant.h"
#include "platform/winnls.h"
#include "suite/cli/commands.h"
#include "suite/host/side_panel.h"
#include "suite/host/suite_session.h"

namespace suite::cli {
namespace {

using platform::ComPtr;

constexpr const char16_t* kModuleProgIdPrefix = u"STGZozedAradizuzOdaru.";

struct ControlInfo {
  int id = 0;
  std::string window_class;
  std::string text;
  RECT rect{};
  bool enabled = false;
  bool visible = false;
  std::optional<LONG> state;
};

std::optional<SIZE> parse_size(const std::string& text) {
  const auto x = text.find_first_of("xX");
  if (x == std::string::npos) return std::nullopt;
  try {
    std::size_t used = 0;
    const int width = std::stoi(text.substr(0, x), &used);
    if (used != x) return std::nullopt;
    const std::string rest = text.substr(x + 1);
    const int height = std::stoi(rest, &used);
    if (used != rest.size() || width <= 0 || height <= 0 || width > 4096 || height > 4096) return std::nullopt;
    return SIZE{width, height};
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::u16string guid_text(REFGUID guid) {
  OLECHAR text[CHARS_IN_GUID] = {};
  StringFromGUID2(guid, text, CHARS_IN_GUID);
  return text;
}

// The class a braced CLSID, a ProgID or a module class name ("STGShareByEmail") names, when
// its server is registered.
std::optional<CLSID> registered_pane_class(const std::string& name) {
  const std::u16string text = platform::from_utf8(name);
  CLSID clsid{};
  bool found = false;
  if (!text.empty() && text.front() == u'{') {
    found = SUCCEEDED(CLSIDFromString(text.c_str(), &clsid));
  } else {
    for (const std::u16string& candidate : {text, kModuleProgIdPrefix + text}) {
      if (SUCCEEDED(CLSIDFromProgID(candidate.c_str(), &clsid))) {
        found = true;
        break;
      }
    }
  }
  if (!found) return std::nullopt;
  platform::RegKey server;
  if (server.open(HKEY_CLASSES_ROOT, u"CLSID\\" + guid_text(clsid) + u"\\InprocServer32", KEY_READ) != ERROR_SUCCESS)
    return std::nullopt;
  return clsid;
}

std::optional<platform::Variant> get_property(IDispatch* dispatch, DISPID id) {
  DISPPARAMS none{};
  platform::Variant result;
  if (FAILED(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, result.put(), nullptr, nullptr)))
    return std::nullopt;
  return result;
}

std::string window_text(HWND window) {
  WCHAR text[512] = {};
  GetWindowTextW(window, text, 512);
  return platform::to_utf8(text);
}

ControlInfo describe(HWND pane, HWND child) {
  ControlInfo info;
  info.id = GetDlgCtrlID(child);
  WCHAR class_name[128] = {};
  GetClassNameW(child, class_name, 128);
  info.window_class = platform::to_utf8(class_name);
  GetWindowRect(child, &info.rect);
  MapWindowPoints(nullptr, pane, reinterpret_cast<POINT*>(&info.rect), 2);
  info.enabled = IsWindowEnabled(child) != FALSE;
  info.visible = IsWindowVisible(child) != FALSE;
  info.text = window_text(child);
  auto control = ComPtr<IUnknown>::attach(reinterpret_cast<IUnknown*>(SendMessageW(child, host::kAxGetControl, 0, 0)));
  if (std::u16string_view(class_name) == std::u16string_view(host::kAxWindowClass)) {
    // The window text names the control; what it shows comes from the control.
    info.window_class = info.text;
    info.text.clear();
    if (!control) {
      info.window_class += " (not available)";
      return info;
    }
    ComPtr<IDispatch> dispatch;
    if (SUCCEEDED(control.As(dispatch))) {
      if (auto text = get_property(dispatch.get(), host::kSkinText); text && text->as_bstr())
        info.text = platform::to_utf8(*text->as_bstr());
      if (auto state = get_property(dispatch.get(), host::kSkinState)) {
        platform::Variant number;
        if (SUCCEEDED(VariantChangeType(number.put(), state->get(), 0, VT_I4))) info.state = number.as_long();
      }
    }
  }
  return info;
}

// Whether the pane takes pane messages: one with behaviour answers CameFromPane as handled.
bool has_behaviour(IUnknown* pane) {
  ComPtr<IActivityComponent> component;
  if (FAILED(pane->QueryInterface(component.put()))) return false;
  const platform::Bstr message(std::u16string_view(host::kCameFromPane));
  VARIANT empty;
  VariantInit(&empty);
  LONG handled = 0;
  return SUCCEEDED(component->ReceiveMessage(message.get(), empty, empty, 0, &handled)) && handled != 0;
}

int show(const std::string& name, const std::string& size_text, bool json) {
  const auto size = parse_size(size_text);
  if (!size) {
    std::cerr << "zozed: --size wants WIDTHxHEIGHT in pixels (1 to 4096), such as 240x480\n";
    return 2;
  }
  use_registry_store();
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    std::cerr << "zozed: COM could not be started\n";
    return 1;
  }
  int status = 0;
  {
    const auto clsid = registered_pane_class(name);
    if (!clsid) {
      std::cerr << "zozed: no pane class \"" << name
                << "\" is registered in this settings store; run `zozed register` first\n";
      CoUninitialize();
      return 1;
    }
    Session session;
    if (const HRESULT hr = session.start(); FAILED(hr)) {
      std::fprintf(stderr, "zozed: the suite could not start (0x%08X)\n", static_cast<unsigned>(hr));
      CoUninitialize();
      return 1;
    }
    resize_panel(session.state(), *size);
    const std::u16string clsid_text = guid_text(*clsid);
    platform::Variant args[2] = {platform::Variant(std::u16string_view(u"")),
                                 platform::Variant(std::u16string_view(clsid_text))};
    DISPPARAMS params{args[0].get(), nullptr, 2, 0};
    const HRESULT shown = session.state().pane_stack->Invoke(host::kPaneStackShowPane, IID_NULL, 0, DISPATCH_METHOD,
                                                             &params, nullptr, nullptr, nullptr);
    if (FAILED(shown) || session.state().panes.empty()) {
      std::fprintf(stderr, "zozed: the pane could not be created (0x%08X)\n", static_cast<unsigned>(shown));
      status = 1;
    } else if (const ShownPane& pane = session.state().panes.back(); FAILED(pane.activation) || !pane.hosted) {
      std::fprintf(stderr, "zozed: the pane did not open in the side panel (0x%08X)\n",
                   static_cast<unsigned>(FAILED(pane.activation) ? pane.activation : E_NOINTERFACE));
      status = 1;
    } else {
      HWND window = pane.hosted->window();
      const bool behaviour = has_behaviour(pane.object.get());
      std::vector<ControlInfo> controls;
      for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.push_back(describe(window, child));
      if (json) {
        nlohmann::json out;
        out["pane"] = name;
        out["clsid"] = platform::to_utf8(clsid_text);
        out["size"] = {{"width", size->cx}, {"height", size->cy}};
        out["behaviour"] = behaviour;
        out["controls"] = nlohmann::json::array();
        for (const auto& c : controls) {
          nlohmann::json item{{"id", c.id},
                              {"class", c.window_class},
                              {"text", c.text},
                              {"rect", {c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}},
                              {"enabled", c.enabled},
                              {"visible", c.visible}};
          item["state"] = c.state ? nlohmann::json(*c.state) : nlohmann::json(nullptr);
          out["controls"].push_back(std::move(item));
        }
        std::printf("%s\n", out.dump(2).c_str());
      } else {
        std::printf("Pane %s %s in a %dx%d side panel\n", name.c_str(), platform::to_utf8(clsid_text).c_str(),
                    static_cast<int>(size->cx), static_cast<int>(size->cy));
        if (!behaviour) std::printf("Its behaviour is not built yet: it lays out its controls and takes no pane message.\n");
        std::printf("%-7s %-40s %-20s %-22s %-7s %-7s %s\n", "id", "class", "text", "rectangle", "enabled", "visible",
                    "state");
        for (const auto& c : controls) {
          const std::string rect = std::to_string(c.rect.left) + "," + std::to_string(c.rect.top) + " - " +
                                   std::to_string(c.rect.right) + "," + std::to_string(c.rect.bottom);
          std::printf("%-7d %-40s %-20s %-22s %-7s %-7s %s\n", c.id, c.window_class.c_str(),
                      ("\"" + c.text + "\"").c_str(), rect.c_str(), c.enabled ? "yes" : "no", c.visible ? "yes" : "no",
                      c.state ? std::to_string(*c.state).c_str() : "-");
        }
      }
    }
    session.stop();
  }
  CoFreeUnusedLibraries();
  CoUninitialize();
  return status;
}

}  // namespace

void add_pane_command(CLI::App& app) {
  auto* cmd = app.add_subcommand("pane", "Show one of the module's panes in the side panel and list its controls");
  auto name = std::make_shared<std::string>();
  auto size = std::make_shared<std::string>("240x480");
  auto json = std::make_shared<bool>(false);
  cmd->add_option("pane", *name, "The pane's CLSID, ProgID or class name (such as STGShareByEmail)")->required();
  cmd->add_option("--size", *size, "The side panel's size in pixels (default 240x480)")->type_name("WxH");
  cmd->add_flag("--json", *json, "Print the controls as JSON");
  cmd->callback([name, size, json] {
    if (const int status = show(*name, *size, *json); status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace suite::cli
