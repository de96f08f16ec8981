// A test of the e-mail engine: COM on the thread, a registry and machine of its own (drive C:
// fixed, D: removable, share \\srv\media, temporary and pictures folders in a fresh folder), the
// host's classes faked over one HostWorld, and the module free of objects and locks at the end.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/machine_profile.h"
#include "platform/objbase.h"
#include "platform/support/module_state.h"
#include "platform/support/variant.h"
#include "platform/winreg.h"
#include "tests/fakes/host_fakes.h"
#include "zozed/email/engine/item_list.h"
#include "zozed/email/engine/prepared_item.h"

namespace zozed_test {

using zozed::email::ItemList;

inline ImageInfo picture_info(std::initializer_list<ImageInfo::FrameSize> frames, LONG bits = 24, LONG planes = 1,
                              ULONGLONG file_size = 0, LONG type = 0) {
  ImageInfo info{};
  for (const auto& frame : frames) info.frames[info.frame_count++] = frame;
  info.bits_per_pixel = bits;
  info.planes = planes;
  info.file_size = file_size;
  info.media_type = type;
  return info;
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    char pattern[] = "/tmp/zozed-engine-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    for (const char* sub : {"c", "c/p", "d", "share", "temp", "pictures"}) std::filesystem::create_directories(root_ / sub);
    platform::map_drive(u'C', (root_ / "c").string(), DRIVE_FIXED);
    platform::map_drive(u'D', (root_ / "d").string(), DRIVE_REMOVABLE);
    platform::map_share(u"\\\\srv\\media", (root_ / "share").string());
    platform::set_temp_folder((root_ / "temp").string());
    platform::set_pictures_folder((root_ / "pictures").string());
    world_->types = {{u".jpg", 0}, {u".png", 1}, {u".wmv", 2}, {u".mp3", 3}, {u".dmsp", 4}, {u".show", 7}};
    world_->strings[62602] = u"Mail Pictures";
    world_->strings[62578] = u"Some items could not be prepared.";
    world_->strings[62579] = u"They were left out.";
    classes_ = std::make_unique<fakes::HostClasses>(world_);
  }

  void TearDown() override {
    environment_ = nullptr;
    classes_.reset();
    EXPECT_TRUE(platform::this_module().can_unload())
        << platform::this_module().objects() << " objects, " << platform::this_module().locks() << " locks";
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
    CoUninitialize();
  }

  // The temporary folder as the engine names it, with its trailing backslash.
  static std::u16string temp() {
    WCHAR buffer[2048] = {};
    return std::u16string(buffer, GetTempPathW(2048, buffer));
  }
  static std::u16string in_temp(std::u16string_view name) { return u"file::" + temp() + std::u16string(name); }
  static std::string content_of(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static bool exists(std::u16string_view windows_path) {
    const auto posix = platform::posix_path_of(fakes::without_protocol(windows_path));
    return posix && std::filesystem::exists(*posix);
  }

  IClientEnvironment& environment() {
    if (!environment_) {
      EXPECT_EQ(CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                                 environment_.put_void()),
                S_OK);
    }
    return *environment_.get();
  }

  // A picture the media services know, of one frame.
  void seed_picture(const std::u16string& path, LONG width, LONG height, LONG type = 0, ULONGLONG bytes = 900000) {
    world_->infos[path] = picture_info({{width, height}}, 24, 1, bytes, type);
  }

  platform::ComPtr<IUnknown> item(std::u16string path, LONG orientation = 0, std::u16string property = u"") {
    platform::ComPtr<fakes::FakeItem> made;
    EXPECT_EQ(platform::make_com(made, std::move(path), orientation, std::move(property)), S_OK);
    return made.As<IUnknown>();
  }

  template <class... Items>
  static ItemList items_of(Items&&... items) {
    ItemList list;
    (list.push_back(std::forward<Items>(items)), ...);
    return list;
  }

  static platform::Variant list_of(const ItemList& items) {
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
  static std::vector<std::u16string> paths_of(const ItemList& items) { return paths_of(*list_of(items).get()); }

  static std::u16string temp_file_of(IUnknown* entry) {
    platform::Bstr file;
    EXPECT_EQ(zozed::email::ExtraOf(entry)->GetTempFile(file.put()), S_OK);
    return std::u16string(file.view());
  }

  platform::registry::ScopedStore store_;
  platform::ScopedMachineProfile machine_;
  std::filesystem::path root_;
  fakes::World world_ = std::make_shared<fakes::HostWorld>();
  std::unique_ptr<fakes::HostClasses> classes_;
  platform::ComPtr<IClientEnvironment> environment_;
};

}  // namespace zozed_test
