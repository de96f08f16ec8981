// A test of the e-mail engine: COM on the thread, a registry and machine of its own (drive C:
// fixed, D: removable, share \\srv\media, temporary and pictures folders in a fresh folder), the
// host's media classes faked over one MediaWorld, and the module free of objects and locks at the end.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/machine_profile.h"
#include "platform/objbase.h"
#include "platform/support/module_state.h"
#include "platform/support/variant.h"
#include "platform/winreg.h"
#include "tests/fakes/host_media_fakes.h"
#include "zozed/email/engine/item_list.h"

namespace zozed_test {

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    char pattern[] = "/tmp/zozed-engine-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    for (const char* sub : {"c", "d", "share", "temp", "pictures"}) std::filesystem::create_directories(root_ / sub);
    platform::map_drive(u'C', (root_ / "c").string(), DRIVE_FIXED);
    platform::map_drive(u'D', (root_ / "d").string(), DRIVE_REMOVABLE);
    platform::map_share(u"\\\\srv\\media", (root_ / "share").string());
    platform::set_temp_folder((root_ / "temp").string());
    platform::set_pictures_folder((root_ / "pictures").string());
    world_->strings[62602] = u"Mail Pictures";
    world_->strings[62578] = u"Some items could not be prepared.";
    world_->strings[62579] = u"They were left out.";
    classes_ = std::make_unique<fakes::HostClasses>(world_);
  }

  void TearDown() override {
    classes_.reset();
    EXPECT_TRUE(platform::this_module().can_unload())
        << platform::this_module().objects() << " objects, " << platform::this_module().locks() << " locks";
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
    CoUninitialize();
  }

  // The temporary folder as the engine names it, with its trailing backslash.
  std::u16string temp() const;

  platform::ComPtr<IUnknown> item(std::u16string path, LONG orientation = 0, std::u16string property = u"") {
    platform::ComPtr<fakes::FakeItem> made;
    EXPECT_EQ(platform::make_com(made, std::move(path), orientation, std::move(property)), S_OK);
    return made.As<IUnknown>();
  }

  template <class... Items>
  static zozed::email::ItemList items_of(Items&&... items) {
    zozed::email::ItemList list;
    (list.push_back(std::forward<Items>(items)), ...);
    return list;
  }

  static platform::Variant list_of(const zozed::email::ItemList& items) {
    platform::Variant list;
    zozed::email::StoreItemList(*list.put(), items);
    return list;
  }

  static std::vector<std::u16string> paths_of(const VARIANT& list) {
    std::vector<std::u16string> paths;
    for (const auto& entry : zozed::email::ReadItemList(list))
      paths.push_back(zozed::email::PathOf(zozed::email::MediaItemOf(entry.get())));
    return paths;
  }

  platform::registry::ScopedStore store_;
  platform::ScopedMachineProfile machine_;
  std::filesystem::path root_;
  fakes::World world_ = std::make_shared<fakes::MediaWorld>();
  std::unique_ptr<fakes::HostClasses> classes_;
};

inline std::u16string EngineTest::temp() const {
  WCHAR buffer[2048] = {};
  const DWORD length = GetTempPathW(2048, buffer);
  return std::u16string(buffer, length);
}

}  // namespace zozed_test
