// `zozed controls`: starts the suite, places every host control by its ProgID in a window the
// way a control-host window of a pane does, clicks the ones asked for as a user would, and
// prints each control's state and the events it fired.
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/control_classes.h"
#include "platform/objbase.h"
#include "platform/support/control_host.h"
#include "platform/support/dispatch_object.h"
#include "platform/ui_driver.h"
#include "platform/winnls.h"
#include "suite/cli/commands.h"
#include "suite/controls/control_window.h"
#include "suite/host/suite_session.h"

namespace suite::cli {
namespace {

// Prints each event a control fires.
class EventPrinter final : public platform::DispatchObject<EventPrinter, IDispatch> {
 public:
  explicit EventPrinter(std::string name) : name_(std::move(name)) {}
  static std::span<const platform::DispatchMember<EventPrinter>> dispatch_members() { return {}; }

  // Connection points ask their sinks for the outgoing interface itself.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv && (IsEqualGUID(riid, host::DIID_SkinControlEvents) || IsEqualGUID(riid, host::DIID_ItemTrayEvents))) {
      AddRef();
      *ppv = static_cast<IDispatch*>(this);
      return S_OK;
    }
    return DispatchObject::QueryInterface(riid, ppv);
  }

  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    std::printf("  event %d from %s", static_cast<int>(id), name_.c_str());
    for (UINT i = params ? params->cArgs : 0; i-- > 0;) {
      VARIANT text;
      VariantInit(&text);
      if (SUCCEEDED(VariantChangeType(&text, &params->rgvarg[i], 0, VT_BSTR)))
        std::printf(" %s", platform::to_utf8(std::u16string_view(text.bstrVal, SysStringLen(text.bstrVal))).c_str());
      (void)VariantClear(&text);
    }
    std::printf("\n");
    return S_OK;
  }

 private:
  std::string name_;
};

LRESULT CALLBACK frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}

int run(const std::vector<std::string>& clicks) {
  use_registry_store();
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int status = 0;
  {
    suite::Session session;
    if (const HRESULT hr = session.start(); FAILED(hr)) {
      std::fprintf(stderr, "zozed: the suite did not start (0x%08X)\n", static_cast<unsigned>(hr));
      CoUninitialize();
      return 1;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &frame_proc;
    wc.lpszClassName = u"ZozedControlsFrame";
    (void)RegisterClassExW(&wc);
    HWND frame = CreateWindowExW(0, u"ZozedControlsFrame", u"controls", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 320,
                                 40 * static_cast<int>(host::kSkinnedControlClasses.size() + 2), nullptr, nullptr,
                                 nullptr, nullptr);
    std::map<std::string, platform::HostedControl> placed;
    std::vector<std::string> order;
    int top = 4;
    auto place = [&](std::u16string_view prog_id) {
      const std::string name = platform::to_utf8(prog_id);
      platform::HostedControl control;
      if (const HRESULT hr = control.create(prog_id, frame, RECT{4, top, 304, top + 30}); FAILED(hr)) {
        std::fprintf(stderr, "zozed: %s could not be placed (0x%08X)\n", name.c_str(), static_cast<unsigned>(hr));
        status = 1;
        return;
      }
      top += 36;
      // Each control shows its class name, as a template's text would label it.
      platform::ComPtr<IDispatch> dispatch;
      if (SUCCEEDED(control.unknown()->QueryInterface(IID_IDispatch, dispatch.put_void()))) {
        const std::u16string label(prog_id.substr(8, prog_id.rfind(u'.') - 8));  // after "TSGSkin."
        VARIANT text;
        VariantInit(&text);
        text.vt = VT_BSTR;
        text.bstrVal = SysAllocString(label.c_str());
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{&text, &named, 1, 1};
        const DISPID member = prog_id == host::kItemTrayProgId ? host::kTrayCaption : host::kSkinText;
        (void)dispatch->Invoke(member, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
        (void)VariantClear(&text);
      }
      platform::ComPtr<EventPrinter> printer;
      if (SUCCEEDED(platform::make_com(printer, name))) {
        (void)control.advise(host::DIID_SkinControlEvents, printer->identity());
        (void)control.advise(host::DIID_ItemTrayEvents, printer->identity());
      }
      order.push_back(name);
      placed.emplace(name, std::move(control));
    };
    for (const auto& entry : host::kSkinnedControlClasses) place(entry.prog_id);
    place(host::kItemTrayProgId);

    for (const auto& wanted : clicks) {
      const std::u16string wide(wanted.begin(), wanted.end());
      const CLSID* clsid = host::control_class_from_prog_id(wide);
      auto found = placed.end();
      for (auto it = placed.begin(); it != placed.end() && clsid; ++it)
        if (host::control_class_from_prog_id(std::u16string(it->first.begin(), it->first.end())) == clsid) found = it;
      if (found == placed.end()) {
        std::fprintf(stderr, "zozed: no control named %s\n", wanted.c_str());
        status = 1;
        continue;
      }
      std::printf("click %s\n", found->first.c_str());
      if (!platform::ui::click(found->second.window())) std::printf("  (cannot be clicked now)\n");
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    for (const auto& name : order) {
      const auto described = suite::controls::describe_control(placed.at(name).window());
      std::printf("%s: %s\n", name.c_str(), described ? platform::to_utf8(*described).c_str() : "(no window)");
    }
    placed.clear();
    if (frame) DestroyWindow(frame);
    session.stop();
  }
  CoUninitialize();
  return status;
}

}  // namespace

void add_controls_command(CLI::App& app) {
  auto* cmd = app.add_subcommand("controls", "Place the suite's skinned controls and item tray, click them, show their state");
  auto clicks = std::make_shared<std::vector<std::string>>();
  cmd->add_option("--click", *clicks, "Click the control with this ProgID (repeatable, in order)")->type_name("PROGID");
  cmd->callback([clicks] {
    if (const int status = run(*clicks); status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace suite::cli
