// Composing the attachment list: others before pictures, pictures converted or left as they are by
// the options, whether the list may be embedded, and failures reported while the rest goes on.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/compose_attachments.h"
#include "zozed/email/engine/email_share_options.h"

namespace zozed_test {
namespace {

using zozed::email::AttachmentComposition;
using zozed::email::EmailShareOptions;

const std::u16string kClip = u"file::C:\\m\\clip.wmv";

class ComposeTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    world_->resolver_seeded = true;
  }

  // The selection, each file standing for itself on the local disk.
  platform::Variant selection(const ItemList& items) {
    world_->entries.clear();
    for (const auto& path : paths_of(items)) world_->entries.push_back({path, path, 0});
    return list_of(items);
  }

  AttachmentComposition compose(const std::vector<std::u16string>& paths, const EmailShareOptions& options,
                                bool client_can_embed) {
    ItemList items;
    for (const auto& path : paths) items.push_back(item(path));
    return zozed::email::ComposeAttachmentList(*selection(items).get(), options, client_can_embed, nullptr,
                                               environment(), nullptr);
  }
};

TEST_F(ComposeTest, WithoutConversionOthersComeFirstAndOnlyAPhotoTypeMayEmbed) {
  struct Row {
    int line;
    const char16_t* picture;
    bool client_can_embed;
    bool items_can_embed;
  };
  const Row rows[] = {
      {__LINE__, u"file::C:\\m\\photo.png", true, false},  // media type 1 is a picture but no photo
      {__LINE__, u"file::C:\\m\\photo.jpg", true, true},
      {__LINE__, u"file::C:\\m\\photo.jpg", false, false},
  };
  EmailShareOptions options;
  options.convert_to_jpeg = false;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    const auto composed = compose({row.picture, kClip}, options, row.client_can_embed);
    EXPECT_EQ(paths_of(composed.attachments), (std::vector<std::u16string>{kClip, row.picture}));
    EXPECT_EQ(composed.items_can_embed, row.items_can_embed);
    EXPECT_TRUE(composed.complete);
    EXPECT_TRUE(world_->saved.empty()) << "nothing is converted";
  }
  EXPECT_TRUE(world_->messages.empty());
  EXPECT_FALSE(compose({kClip}, options, true).items_can_embed) << "only others: nothing to embed";
}

TEST_F(ComposeTest, ConversionAppendsTheJpegsAndAFailureIsReportedWithTheRestKept) {
  struct Row {
    int line;
    bool loads, client_can_embed;
    std::vector<std::u16string> expected;
    bool items_can_embed;
  };
  seed_picture(u"file::C:\\m\\photo.png", 1600, 1600, 0, 500000);
  const Row rows[] = {
      {__LINE__, true, true, {kClip, in_temp(u"photo.jpg")}, true},
      {__LINE__, false, true, {kClip}, false},
  };
  EmailShareOptions options;
  options.convert_to_jpeg = true;
  options.jpeg_optimization = 0;
  options.screen_size = 1;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    std::filesystem::remove(root_ / "temp" / "photo.jpg");
    world_->saved.clear();
    world_->messages.clear();
    world_->unloadable.clear();
    if (!row.loads) world_->unloadable.insert(u"file::C:\\m\\photo.png");
    const auto composed = compose({u"file::C:\\m\\photo.png", kClip}, options, row.client_can_embed);
    EXPECT_EQ(paths_of(composed.attachments), row.expected);
    EXPECT_EQ(composed.items_can_embed, row.items_can_embed);
    EXPECT_EQ(composed.complete, row.loads);
    if (row.loads) {
      EXPECT_TRUE(world_->messages.empty());
      ASSERT_EQ(world_->saved.size(), 1u);
      EXPECT_EQ(world_->saved[0].width, 600) << "the 800 x 600 box of screen size 1";
      EXPECT_EQ(world_->saved[0].height, 600);
    } else {
      EXPECT_EQ(world_->messages, std::vector<std::u16string>{u"Some items could not be prepared.||They were left out."});
    }
  }
}

TEST_F(ComposeTest, AFailedGatheringIsReportedAndWhatWasGatheredGoesOn) {
  EmailShareOptions options;
  options.convert_to_jpeg = false;
  const auto received = selection(items_of(item(u"file::\\\\srv\\media\\gone.jpg"), item(kClip)));
  const auto composed = zozed::email::ComposeAttachmentList(*received.get(), options, true, nullptr, environment(), nullptr);
  EXPECT_EQ(paths_of(composed.attachments), (std::vector<std::u16string>{kClip}));
  EXPECT_FALSE(composed.complete);
  EXPECT_FALSE(composed.items_can_embed);
  EXPECT_EQ(world_->messages.size(), 1u);
  EXPECT_EQ(paths_of(*received.get()).size(), 2u) << "the caller's list is left as it was";
}

}  // namespace
}  // namespace zozed_test
