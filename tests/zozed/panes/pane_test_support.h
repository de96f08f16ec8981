// What the pane tests share: the host's environment faked over a HostWorld that serves dialog
// templates, the skinned-control stand-in registered, a registry of the test's own, and a
// visible parent window; every window and object gone at the end.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/dialog_template_builder.h"
#include "platform/objbase.h"
#include "platform/support/module_state.h"
#include "platform/support/reg_key.h"
#include "tests/zozed/registry_values.h"
#include "platform/ui_driver.h"
#include "platform/winreg.h"
#include "tests/fakes/host_fakes.h"
#include "tests/fakes/skin_stand_in.h"

namespace pane_test {

using fakes::SkinStandIn;
using zozed_test::dword;
using zozed_test::sz;

inline constexpr const char16_t* kConfigurationRoot = u"Software\\PaneTests";

inline std::u16string guid_text(REFGUID guid) {
  OLECHAR text[CHARS_IN_GUID];
  StringFromGUID2(guid, text, CHARS_IN_GUID);
  return text;
}

// A skinned control of the template, hosted by TSGAxWin (dialog units).
inline platform::DialogItem skinned(DWORD id, short x, short y, short cx, short cy) {
  return {std::u16string(u"TSGAxWin"), guid_text(fakes::kSkinStandInClsid), id, WS_VISIBLE, 0, x, y, cx, cy, 0, {}};
}

inline std::vector<BYTE> template_bytes(const platform::DialogTemplateBuilder& builder) {
  const auto words = builder.build();
  const auto* bytes = reinterpret_cast<const BYTE*>(words.data());
  return std::vector<BYTE>(bytes, bytes + words.size() * sizeof(WORD));
}

inline void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

inline RECT rect_in_parent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class PaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    world_->busy = platform::ui::create_cursor(u"host busy");
    world_->configuration_root = kConfigurationRoot;
    skinned_.emplace(fakes::kSkinStandInClsid, fakes::maker_of<SkinStandIn>());
    windows_before_ = platform::ui::live_window_count();
    parent_ = CreateWindowExW(0, u"Static", u"panel", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 600, 500, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    pump();
    EXPECT_EQ(platform::ui::live_window_count(), windows_before_) << "every window destroyed";
    EXPECT_EQ(platform::this_module().objects(), 0) << "every object released";
    environment_.reset();
    skinned_.reset();
    CoUninitialize();
  }

  void register_environment() {
    environment_.emplace(host::CLSID_ClientEnvironment, fakes::maker_of<fakes::FakeEnvironment>(world_));
  }

  // Writes the values of a skin key, in order.
  static void write_skin(std::u16string_view key, std::vector<std::pair<std::u16string, zozed_test::RegValue>> values) {
    zozed_test::put_values(HKEY_CURRENT_USER, std::u16string(kConfigurationRoot) + u"\\Skin\\" + std::u16string(key),
                           std::move(values));
  }

  platform::registry::ScopedStore store_;
  fakes::World world_ = std::make_shared<fakes::HostWorld>();
  std::optional<fakes::RegisteredClass> skinned_;
  std::optional<fakes::RegisteredClass> environment_;
  std::size_t windows_before_ = 0;
  HWND parent_ = nullptr;
};

}  // namespace pane_test
