// Saving for later: the resolver's files copied into the dated folder under their own names or
// free variants, turned where the resolver says, with a failed copy not stopping the others.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/save_for_later.h"

namespace zozed_test {
namespace {

using zozed::email::SaveItemsForLater;

using SaveForLaterTest = EngineTest;

TEST_F(SaveForLaterTest, EachFileIsCopiedUnderAFreeNameAndAFailedCopyLetsTheOthersGoOn) {
  const auto nothing = SaveItemsForLater({}, u"C:\\later");  // the resolver is not asked
  EXPECT_TRUE(nothing.complete);
  EXPECT_TRUE(nothing.written.empty());

  world_->resolver_seeded = true;
  std::filesystem::create_directories(root_ / "c" / "later");
  fakes::write_file(u"C:\\p\\a.jpg", "new picture");
  fakes::write_file(u"C:\\later\\a.jpg", "saved yesterday");
  fakes::write_file(u"\\\\srv\\media\\clip.wmv", "video");
  fakes::write_file(u"C:\\p\\c.png", "turned picture");
  world_->infos[u"file::C:\\p\\c.png"] = picture_info({{40, 30}}, 24, 1, 0, 1);
  world_->entries = {
      {u"file::C:\\p\\a.jpg", u"file::C:\\p\\a.jpg", 0},
      {u"file::C:\\p\\gone.jpg", u"file::C:\\p\\gone.jpg", 0},
      {u"file::C:\\p\\show.dmsp", u"file::\\\\srv\\media\\clip.wmv", 2},  // a video is copied whatever the turn
      {u"file::C:\\p\\c.png", u"file::C:\\p\\c.png", 1},
  };
  const auto saved = SaveItemsForLater(items_of(item(u"file::C:\\p\\a.jpg"), item(u"file::C:\\p\\gone.jpg"),
                                                item(u"file::C:\\p\\show.dmsp", 2), item(u"file::C:\\p\\c.png", 1)),
                                       u"C:\\later");

  EXPECT_FALSE(saved.complete);
  EXPECT_EQ(saved.written, (std::vector<std::u16string>{u"C:\\later\\a (1).jpg", u"C:\\later\\clip.wmv",
                                                        u"C:\\later\\c.png"}));
  EXPECT_EQ(world_->resolver_orientations, (std::vector<LONG>{0, 0, 2, 1}));
  const auto later = root_ / "c" / "later";
  EXPECT_EQ(content_of(later / "a.jpg"), "saved yesterday");
  EXPECT_EQ(content_of(later / "a (1).jpg"), "new picture");
  EXPECT_EQ(content_of(later / "clip.wmv"), "video");
  ASSERT_EQ(world_->saved.size(), 1u) << "only the turned picture is encoded again";
  EXPECT_EQ(world_->saved[0].path, u"file::C:\\later\\c.png");
  EXPECT_EQ(world_->saved[0].width, 30);
  EXPECT_EQ(world_->saved[0].height, 40);
}

}  // namespace
}  // namespace zozed_test
