// The Share-by-e-mail pane in a running suite: a machine and registry of the test's own, real
// pictures and files, the pane shown through the suite's pane stack and driven by pane messages
// and clicks on its controls, with the message service and mail program scripted.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>
#include <vips/vips8>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/activity_component.h"
#include "host/activity_host.h"
#include "host/control_host_window.h"
#include "host/item_tray.h"
#include "host/message_service.h"
#include "host/pane_messages.h"
#include "host/skinned_controls.h"
#include "platform/machine_profile.h"
#include "platform/path_mapping.h"
#include "platform/support/dispatch_driver.h"
#include "platform/support/safe_array.h"
#include "platform/support/variant.h"
#include "platform/ui_driver.h"
#include "platform/winreg.h"
#include "suite/host/suite_items.h"
#include "suite/media/vips_runtime.h"
#include "tests/zozed/suite_module_fixture.h"

namespace share_pane_test {

namespace fs = std::filesystem;
using platform::ComPtr;
using platform::Variant;

inline constexpr char16_t kShareByEmail[] = u"{126239D4-FA95-4566-A14E-2A111932D54A}";
inline constexpr char16_t kEmailDonePane[] = u"{A24E2C56-F1EF-442C-BCF7-085A580B777F}";
inline constexpr char16_t kEmailOptionsPane[] = u"{86A49DF4-EA73-4648-9CEB-11641256FC82}";
inline constexpr char kOptionsKey[] = "Software\\Quarn\\Tessagram7\\QuarnTessagram\\Client\\Options\\TSGShare\\EmailOptions";

inline void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// What a skinned control shows, read through its automation members.
struct ControlView {
  ComPtr<IDispatch> control;
  LONG state() const { return platform::get_property(control.get(), host::kSkinState).as_long().value_or(-99); }
  bool enabled() const { return platform::get_property(control.get(), host::kSkinEnabled).as_bool().value_or(false); }
  std::u16string text() const { return string(host::kSkinText); }
  std::u16string tooltip() const { return string(host::kSkinToolTip); }
  std::u16string image() const { return string(host::kSkinImage); }
  std::u16string string(DISPID id) const {
    const Variant value = platform::get_property(control.get(), id);
    return std::u16string(value.as_bstr().value_or(u"?"));
  }
};

class SharePaneScenario : public zozed_test::SuiteModuleTest {
 protected:
  void SetUp() override {
    SuiteModuleTest::SetUp();
    suite::media::start_vips();
    root_ = fs::temp_directory_path() / ("zozed-share-pane-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    for (const char* sub : {"temp", "pictures", "items", "outbox"}) fs::create_directories(root_ / sub);
    platform::set_temp_folder((root_ / "temp").string());
    platform::set_pictures_folder((root_ / "pictures").string());
    set_option("Convert to JPEG", "No");
  }

  void TearDown() override {
    SuiteModuleTest::TearDown();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // The suite with a mail program of that name ("" for none) writing into the test's outbox.
  void start_suite(std::u16string client, bool client_can_embed = true) {
    suite::SuiteSettings settings;
    settings.mail.client_name = std::move(client);
    settings.mail.client_can_embed = client_can_embed;
    settings.mail.outbox = (root_ / "outbox").string();
    settings.mail.hand_off = false;
    settings.answerer = [](const suite::MessageRequest&) { return host::kAnswerOk; };
    start(std::move(settings));
  }

  // ---- e-mail options in the registry ----
  static HKEY options_key() {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kOptionsKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    return key;
  }
  static void set_option(const char* name, const char* text) {
    HKEY key = options_key();
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(key);
  }
  static void set_option(const char* name, DWORD number) {
    HKEY key = options_key();
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
  }
  static void set_option(const char* name, const std::u16string& text) {
    HKEY key = options_key();
    RegSetValueExW(key, reinterpret_cast<LPCWSTR>(std::u16string(name, name + strlen(name)).c_str()), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() * 2));
    RegCloseKey(key);
  }
  static std::string option_text(const char* name) {
    HKEY key = options_key();
    char buffer[260] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    const LSTATUS status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::string(buffer) : std::string("(missing)");
  }

  // ---- items ----
  std::u16string picture(const std::string& name) {
    const fs::path path = root_ / "items" / name;
    vips::VImage::black(16, 12, vips::VImage::option()->set("bands", 3)).write_to_file(path.string().c_str());
    return platform::windows_path_of(path.string());
  }
  std::u16string file_of_size(const std::string& name, std::size_t bytes) {
    const fs::path path = root_ / "items" / name;
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
    return platform::windows_path_of(path.string());
  }
  Variant item_list(const std::vector<std::u16string>& paths) {
    auto array = platform::SafeArray::create_vector(VT_UNKNOWN, 0, static_cast<ULONG>(paths.size()));
    for (std::size_t i = 0; i < paths.size(); ++i) {
      ComPtr<IMediaItem> item;
      EXPECT_EQ(suite::create_file_item(paths[i], item.put()), S_OK);
      EXPECT_EQ(array.put_element(static_cast<LONG>(i), static_cast<IUnknown*>(item.get())), S_OK);
    }
    return Variant(std::move(array));
  }

  // ---- the pane stack ----
  ComPtr<IDispatch> pane_stack() {
    ComPtr<IActivityHost> host;
    EXPECT_EQ(CoCreateInstance(host::CLSID_ActivityHost, nullptr, CLSCTX_ALL, IID_IActivityHost, host.put_void()), S_OK);
    ComPtr<IDispatch> area;
    EXPECT_EQ(host->GetActivityArea(area.put()), S_OK);
    return *platform::get_property(area.get(), host::kActivityAreaPaneStack).as_dispatch();
  }
  void show(std::u16string_view clsid) {
    const Variant pane(clsid);
    const Variant title(u"test");
    (void)platform::invoke_method(pane_stack().get(), host::kPaneStackShowPane, {pane.get(), title.get()});
  }
  LONG send(std::u16string_view message, const VARIANT& value, const VARIANT& extra) {
    const auto shown = platform::get_property(pane_stack().get(), host::kPaneStackCurrentPane).as_dispatch();
    ComPtr<IActivityComponent> pane;
    EXPECT_EQ((*shown)->QueryInterface(IID_IActivityComponent, pane.put_void()), S_OK);
    const platform::Bstr id(message);
    LONG handled = 0;
    EXPECT_EQ(pane->ReceiveMessage(id.get(), value, extra, 0, &handled), S_OK);
    return handled;
  }

  // Shows the share pane and hands it `paths` as the options pane would, at step 3.
  HWND open_pane(const std::vector<std::u16string>& paths, bool came_from_pane = true, bool return_to_caller = false) {
    show(kShareByEmail);
    const Variant none;
    if (return_to_caller) {
      EXPECT_EQ(send(host::kReturnToCaller, *none.get(), *none.get()), 1);
    }
    if (came_from_pane) {
      EXPECT_EQ(send(host::kCameFromPane, *none.get(), *none.get()), 1);
    }
    const Variant items = item_list(paths);
    const Variant step(static_cast<LONG>(3));
    EXPECT_EQ(send(host::kItemsAndStep, *items.get(), *step.get()), 1);
    pane_ = session_.state().panes.back().hosted->window();
    return pane_;
  }

  ControlView control(int id) const {
    return ControlView{ComPtr<IUnknown>::attach(reinterpret_cast<IUnknown*>(
                                                    SendMessageW(GetDlgItem(pane_, id), host::kAxGetControl, 0, 0)))
                           .As<IDispatch>()};
  }
  void click(int id) const {
    ASSERT_TRUE(platform::ui::click(GetWindow(GetDlgItem(pane_, id), GW_CHILD))) << "control " << id;
    pump();
  }

  // Pane messages delivered to panes shown by `clsid`, as "id value extra".
  std::vector<std::u16string> messages_to(std::u16string_view clsid) {
    std::vector<std::u16string> out;
    for (const auto& m : session_.state().pane_messages)
      if (m.pane == clsid) out.push_back(m.message_id + u" " + m.value + u" " + m.extra);
    return out;
  }
  bool pane_shown(std::u16string_view clsid) {
    for (const auto& pane : session_.state().panes)
      if (pane.clsid == clsid) return true;
    return false;
  }

  fs::path root_;
  platform::ScopedMachineProfile machine_;
  HWND pane_ = nullptr;
};

}  // namespace share_pane_test
