// The Share-by-e-mail pane in a running suite: a machine and registry of the test's own, real
// pictures and files, the pane shown through the suite's pane stack, driven by pane messages and
// clicks, with the mail program scripted and the messages it sends read back.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>
#include <vips/vips8>

#include <cstring>
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
#include "platform/ui_driver.h"
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

inline const VARIANT kNothing{};  // VT_EMPTY

// A skinned control, read and clicked through its automation members and window.
struct Control {
  HWND host;
  ComPtr<IDispatch> dispatch() const {
    return ComPtr<IUnknown>::attach(reinterpret_cast<IUnknown*>(SendMessageW(host, host::kAxGetControl, 0, 0)))
        .As<IDispatch>();
  }
  Variant get(DISPID id) const { return platform::get_property(dispatch().get(), id); }
  LONG state() const { return get(host::kSkinState).as_long().value_or(-99); }
  bool enabled() const { return get(host::kSkinEnabled).as_bool().value_or(false); }
  std::u16string text(DISPID id = host::kSkinText) const { return std::u16string(get(id).as_bstr().value_or(u"?")); }
  // Posts a user's click; false when a user could not click it.
  bool click() const { return platform::ui::click(GetWindow(host, GW_CHILD)); }
};
inline Control control_of(HWND window, int id) { return Control{GetDlgItem(window, id)}; }

class SharePaneScenario : public zozed_test::SuiteModuleTest {
 protected:
  void SetUp() override {
    SuiteModuleTest::SetUp();
    suite::media::start_vips();
    root_ = fs::temp_directory_path() / ("zozed-share-pane-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
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
    settings.mail = {std::move(client), client_can_embed, (root_ / "outbox").string(), false};
    start(std::move(settings));
  }

  // E-mail options, straight in the registry: text values "Yes"/"No", numbers, wide paths.
  static HKEY options_key() {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER,
                              "Software\\Quarn\\Tessagram7\\QuarnTessagram\\Client\\Options\\TSGShare\\EmailOptions",
                              0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
  }
  static void set_option(const char* name, const void* data, DWORD type, DWORD size) {
    HKEY key = options_key();
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static void set_option(const char* name, const char* text) {
    set_option(name, text, REG_SZ, static_cast<DWORD>(std::strlen(text) + 1));
  }
  static void set_option(const char* name, DWORD number) { set_option(name, &number, REG_DWORD, sizeof number); }
  static void set_option(const char* name, const std::u16string& text) {
    HKEY key = options_key();
    const std::u16string wide_name(name, name + std::strlen(name));
    EXPECT_EQ(RegSetValueExW(key, wide_name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() * sizeof(char16_t))),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static std::string option(const char* name) {
    HKEY key = options_key();
    char buffer[260] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    const LSTATUS status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "(missing)";
    return type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(buffer)) : std::string(buffer);
  }

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
  static Variant item_list(const std::vector<std::u16string>& paths) {
    auto array = platform::SafeArray::create_vector(VT_UNKNOWN, 0, static_cast<ULONG>(paths.size()));
    for (std::size_t i = 0; i < paths.size(); ++i) {
      ComPtr<IMediaItem> item;
      EXPECT_EQ(suite::create_file_item(paths[i], item.put()), S_OK);
      EXPECT_EQ(array.put_element(static_cast<LONG>(i), static_cast<IUnknown*>(item.get())), S_OK);
    }
    return Variant(std::move(array));
  }

  IDispatch* pane_stack() { return session_.state().pane_stack.get(); }
  void show(std::u16string_view clsid) {
    const Variant pane(clsid);
    const Variant title(u"test");
    (void)platform::invoke_method(pane_stack(), host::kPaneStackShowPane, {pane.get(), title.get()});
  }
  // Sends a pane message to the pane shown, as the pane before it would; answers the handled flag.
  LONG send(std::u16string_view message, const VARIANT& value = kNothing, const VARIANT& extra = kNothing) {
    const auto shown = platform::get_property(pane_stack(), host::kPaneStackCurrentPane).as_dispatch();
    const auto pane = shown.value().As<IActivityComponent>();
    const platform::Bstr id(message);
    LONG handled = 0;
    EXPECT_EQ(pane->ReceiveMessage(id.get(), value, extra, 0, &handled), S_OK);
    return handled;
  }
  // Shows the share pane and hands it `paths` as the options pane does, at step 3.
  void open_pane(const std::vector<std::u16string>& paths, bool came_from_pane = true, bool return_to_caller = false) {
    show(kShareByEmail);
    if (return_to_caller) {
      EXPECT_EQ(send(host::kReturnToCaller), 1);
    }
    if (came_from_pane) {
      EXPECT_EQ(send(host::kCameFromPane), 1);
    }
    EXPECT_EQ(send(host::kItemsAndStep, *item_list(paths).get(), *Variant(static_cast<LONG>(3)).get()), 1);
    pane_ = session_.state().panes.back().hosted->window();
  }
  Control control(int id) const { return control_of(pane_, id); }
  void click(int id) const {
    EXPECT_TRUE(control(id).click()) << "control " << id;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }

  // Pane messages delivered to panes shown by `clsid`, as "id value extra".
  std::vector<std::u16string> messages_to(std::u16string_view clsid) {
    std::vector<std::u16string> out;
    for (const auto& m : session_.state().pane_messages)
      if (m.pane == clsid) out.push_back(m.message_id + u" " + m.value + u" " + m.extra);
    return out;
  }
  bool done_pane_shown() {
    const auto& panes = session_.state().panes;
    return !panes.empty() && panes.back().clsid == kEmailDonePane;
  }

  platform::ScopedMachineProfile machine_;
  fs::path root_;
  HWND pane_ = nullptr;
};

}  // namespace share_pane_test
