// Gathering attachment files: the resolver's entries turned into the item itself, a prepared
// item for a file that stands for it, or a copy in the temporary folder, back in selection order.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/copy_media_file.h"
#include "zozed/email/engine/gather_attachments.h"

namespace zozed_test {
namespace {

using zozed::email::ExtraOf;
using zozed::email::GatherAttachmentFiles;

class GatherTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    world_->resolver_seeded = true;
  }
};

TEST_F(GatherTest, EachEntryBecomesTheItemACopyOrAFoundFileInSelectionOrder) {
  fakes::write_file(u"\\\\srv\\media\\b.png", "shared picture");
  fakes::write_file(u"C:\\p\\c.jpg");
  const auto a = item(u"file::C:\\p\\a.jpg", 0, u"prop a");
  const auto b = item(u"file::\\\\srv\\media\\b.png", 0, u"prop b");
  const auto c = item(u"file::C:\\p\\c.dmsp", 0, u"prop c");
  world_->entries = {
      {u"file::C:\\p\\c.dmsp", u"file::C:\\p\\c.jpg", 0},
      {u"file::\\\\srv\\media\\b.png", u"file::\\\\srv\\media\\b.png", 0},
      {u"file::C:\\p\\a.jpg", u"file::C:\\p\\a.jpg", 0},
  };
  auto list = list_of(items_of(a.copy(), b.copy(), c.copy()));
  ASSERT_TRUE(GatherAttachmentFiles(*list.get()));

  EXPECT_EQ(world_->resolver_paths, (std::vector<std::u16string>{u"file::C:\\p\\a.jpg", u"file::\\\\srv\\media\\b.png",
                                                                  u"file::C:\\p\\c.dmsp"}));
  const auto gathered = zozed::email::ReadItemList(*list.get());
  ASSERT_EQ(gathered.size(), 3u);
  EXPECT_EQ(gathered[0].get(), a.get()) << "a local file that is the item's own is the item itself";
  EXPECT_EQ(paths_of(*list.get()), (std::vector<std::u16string>{u"file::C:\\p\\a.jpg", in_temp(u"b.png"),
                                                                 u"file::C:\\p\\c.jpg"}));
  EXPECT_EQ(content_of(root_ / "temp" / "b.png"), "shared picture");

  struct Row {
    int line;
    std::size_t index;
    IUnknown* origin;
    VARIANT_BOOL engine_made;
    const char16_t* property;
  };
  const Row rows[] = {{__LINE__, 1, b.get(), VARIANT_TRUE, u"prop b"}, {__LINE__, 2, c.get(), VARIANT_FALSE, u"prop c"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    const auto extra = ExtraOf(gathered[row.index].get());
    ASSERT_TRUE(extra);
    IUnknown* origin = nullptr;
    ASSERT_EQ(extra->get_OriginItem(&origin), S_OK);
    EXPECT_EQ(origin, row.origin);
    VARIANT_BOOL made = 0;
    ASSERT_EQ(extra->get_EngineMade(&made), S_OK);
    EXPECT_EQ(made, row.engine_made);
    platform::Bstr property;
    ASSERT_EQ(zozed::email::MediaItemOf(gathered[row.index].get())->GetStringProperty(property.put()), S_OK);
    EXPECT_EQ(property.view(), row.property);
  }
}

TEST_F(GatherTest, AFailedCopyLeavesTheItemOutAnUnmatchedEntryIsDroppedAndNothingIsDoneAtOnce) {
  fakes::write_file(u"C:\\p\\a.jpg");
  world_->entries = {
      {u"file::\\\\srv\\media\\missing.wmv", u"file::\\\\srv\\media\\missing.wmv", 0},
      {u"file::C:\\p\\a.jpg", u"file::C:\\p\\a.jpg", 0},
      {u"file::C:\\p\\stranger.jpg", u"file::C:\\p\\stranger.jpg", 0},
      {u"file::C:\\p\\never.jpg", u"", 0},  // an empty file path ends the entries
  };
  auto list = list_of(items_of(item(u"file::\\\\srv\\media\\missing.wmv"), item(u"file::C:\\p\\a.jpg")));
  EXPECT_FALSE(GatherAttachmentFiles(*list.get()));
  EXPECT_EQ(paths_of(*list.get()), (std::vector<std::u16string>{u"file::C:\\p\\a.jpg"}));

  world_->resolver_seeded = false;
  platform::Variant empty;
  EXPECT_TRUE(GatherAttachmentFiles(*empty.get()));
  EXPECT_EQ(empty.vt(), VT_EMPTY);
}

TEST_F(GatherTest, CopiesReencodeOnlyStillPicturesThatTurnOrChangeFormat) {
  world_->infos[u"file::D:\\a.jpg"] = picture_info({{40, 30}});
  fakes::write_file(u"D:\\a.jpg", "picture");
  fakes::write_file(u"D:\\clip.wmv", "video bytes");
  struct Row {
    int line;
    const char16_t* source;
    const char16_t* target;
    LONG rotation;
    bool reencoded;
  };
  const Row rows[] = {
      {__LINE__, u"file::D:\\a.jpg", u"file::C:\\p\\a1.jpg", 0, false},
      {__LINE__, u"file::D:\\a.jpg", u"file::C:\\p\\a2.jpg", 1, true},
      {__LINE__, u"file::D:\\a.jpg", u"file::C:\\p\\a3.JPG", 0, true},  // extensions compare exactly
      {__LINE__, u"file::D:\\clip.wmv", u"file::C:\\p\\clip.wmv", 3, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    world_->saved.clear();
    EXPECT_TRUE(zozed::email::CopyMediaFile(row.source, row.target, row.rotation));
    EXPECT_EQ(world_->saved.size(), row.reencoded ? 1u : 0u);
    EXPECT_TRUE(exists(row.target));
  }
  EXPECT_FALSE(zozed::email::CopyMediaFile(u"file::D:\\none.wmv", u"file::C:\\p\\none.wmv", 0));
}

}  // namespace
}  // namespace zozed_test
