// Slide-show mode's list checks: files made local and registered on their items, protected
// media dropped through the runtime's check, the host's slide-show check applied the same way,
// and the failure message.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/libloaderapi.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/list_operations.h"
#include "zozed/email/engine/preparation_failure.h"
#include "zozed/email/engine/slide_show_files.h"

namespace zozed_test {
namespace {

using namespace zozed::email;

class SlideShowFilesTest : public EngineTest {
 protected:
  // Host items wrapped as prepared items, as the panes hold them.
  platform::Variant wrapped(std::initializer_list<const char16_t*> paths) {
    ItemList items;
    for (const auto* path : paths) items.push_back(item(path));
    auto list = list_of(items);
    WrapItems(*list.get());
    return list;
  }
  static VARIANT_BOOL delete_allowed(IUnknown* entry) {
    VARIANT_BOOL allowed = 0;
    EXPECT_EQ(ExtraOf(entry)->get_DeleteAllowed(&allowed), S_OK);
    return allowed;
  }
};

TEST_F(SlideShowFilesTest, OffDiskFilesAreCopiedAndLocalFilesUsedInPlace) {
  world_->resolver_seeded = true;
  fakes::write_file(u"\\\\srv\\media\\song.mp3", "music");
  fakes::write_file(u"\\\\srv\\media\\clip.wmv", "video");
  fakes::write_file(temp() + u"clip.wmv", "an earlier copy");
  world_->entries = {
      {u"file::C:\\p\\a.jpg", u"file::C:\\p\\a.jpg", 0},
      {u"file::\\\\srv\\media\\song.mp3", u"file::\\\\srv\\media\\song.mp3", 0},
      {u"file::\\\\srv\\media\\clip.wmv", u"file::\\\\srv\\media\\clip.wmv", 0},
  };
  auto list = wrapped({u"file::C:\\p\\a.jpg", u"file::\\\\srv\\media\\song.mp3", u"file::\\\\srv\\media\\clip.wmv"});
  ASSERT_TRUE(LocalizeSlideShowFiles(*list.get()));
  const auto items = ReadItemList(*list.get());
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(temp_file_of(items[0].get()), u"file::C:\\p\\a.jpg");
  EXPECT_EQ(delete_allowed(items[0].get()), VARIANT_FALSE);
  EXPECT_EQ(temp_file_of(items[1].get()), in_temp(u"song.mp3"));
  EXPECT_EQ(delete_allowed(items[1].get()), VARIANT_TRUE);
  EXPECT_EQ(temp_file_of(items[2].get()), in_temp(u"QRNES0.wmv")) << "a name taken in the temporary folder";
  EXPECT_EQ(content_of(root_ / "temp" / "QRNES0.wmv"), "video");

  world_->entries = {{u"file::\\\\srv\\media\\gone.wmv", u"file::\\\\srv\\media\\gone.wmv", 0}};
  EXPECT_FALSE(LocalizeSlideShowFiles(*wrapped({u"file::\\\\srv\\media\\gone.wmv"}).get()));
  platform::Variant empty;
  world_->resolver_seeded = false;
  EXPECT_TRUE(LocalizeSlideShowFiles(*empty.get()));
}

TEST_F(SlideShowFilesTest, ProtectedMediaAreDroppedReleasedOrTheirCopiesDeleted) {
  platform::loader::set_search_path({ZOZED_TEST_RUNTIME_DIR});
  fakes::write_file(temp() + u"protected copy.wmv");
  auto list = wrapped({u"file::C:\\protected.wmv", u"file::C:\\protected.jpg", u"file::C:\\plain.wmv",
                       u"file::C:\\protected song.mp3", u"file::C:\\kept.wmv"});
  const auto items = ReadItemList(*list.get());
  ASSERT_EQ(ExtraOf(items[4].get())->SetTempFile(platform::Bstr(in_temp(u"protected copy.wmv")).get()), S_OK);
  auto extra = list_of(items_of(item(u"file::C:\\protected extra.wmv")));

  EXPECT_FALSE(DropProtectedMedia(*list.get(), extra.get()));
  EXPECT_EQ(extra.vt(), VT_EMPTY);
  EXPECT_EQ(paths_of(*list.get()),
            (std::vector<std::u16string>{u"file::C:\\protected.jpg", u"file::C:\\plain.wmv", u"file::C:\\kept.wmv"}));
  EXPECT_FALSE(std::filesystem::exists(root_ / "temp" / "protected copy.wmv"));
  EXPECT_EQ(temp_file_of(items[4].get()), u"");

  // The extra item may also come as the object itself.
  platform::Variant single(item(u"file::C:\\protected single.wmv"));
  EXPECT_FALSE(DropProtectedMedia(*wrapped({u"file::C:\\plain.wmv"}).get(), single.get()));
  EXPECT_EQ(single.vt(), VT_EMPTY);

  auto clean = wrapped({u"file::C:\\plain.wmv"});
  auto plain_extra = list_of(items_of(item(u"file::C:\\plain.jpg")));
  EXPECT_TRUE(DropProtectedMedia(*clean.get(), plain_extra.get()));
  EXPECT_NE(plain_extra.vt(), VT_EMPTY);
  EXPECT_TRUE(DropProtectedMedia(*clean.get(), nullptr));
}

TEST_F(SlideShowFilesTest, TheHostsCheckLeavesOutRefusedItemsWhateverTheirType) {
  world_->refused = {u"file::C:\\bad.jpg", u"file::C:\\bad extra.jpg"};
  auto list = wrapped({u"file::C:\\bad.jpg", u"file::C:\\good.jpg"});
  auto extra = list_of(items_of(item(u"file::C:\\bad extra.jpg")));
  EXPECT_FALSE(CheckSlideShowList(*list.get(), extra.get()));
  EXPECT_EQ(extra.vt(), VT_EMPTY);
  EXPECT_EQ(paths_of(*list.get()), (std::vector<std::u16string>{u"file::C:\\good.jpg"}));
  EXPECT_TRUE(CheckSlideShowList(*list.get(), nullptr));
}

TEST_F(SlideShowFilesTest, TheFailureMessageIsThePairOfHostStrings) {
  ReportPreparationFailure(environment(), nullptr);
  EXPECT_EQ(world_->messages, std::vector<std::u16string>{u"Some items could not be prepared.||They were left out."});
  EXPECT_EQ(world_->calls.back(), "message buttons 0");
}

}  // namespace
}  // namespace zozed_test
