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
using zozed::email::ComposeAttachmentList;
using zozed::email::EmailShareOptions;

class ComposeTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    world_->types = {{u".jpg", 0}, {u".png", 1}, {u".wmv", 2}};
    world_->resolver_seeded = true;
    std::filesystem::create_directories(root_ / "c" / "m");
    ASSERT_EQ(CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                               environment_.put_void()),
              S_OK);
  }
  void TearDown() override {
    environment_ = nullptr;
    EngineTest::TearDown();
  }

  // The selection, each file standing for itself on the local disk.
  platform::Variant selection(const std::vector<std::u16string>& paths) {
    zozed::email::ItemList items;
    world_->entries.clear();
    for (const auto& path : paths) {
      items.push_back(item(path));
      world_->entries.push_back({path, path, 0});
    }
    return list_of(items);
  }

  void seed_picture(const std::u16string& path, LONG width, LONG height) {
    ImageInfo info{};
    info.frames[0] = {width, height};
    info.frame_count = 1;
    info.bits_per_pixel = 24;
    info.planes = 1;
    info.file_size = 500000;
    info.media_type = 0;
    world_->infos[path] = info;
  }

  AttachmentComposition compose(const platform::Variant& received, const EmailShareOptions& options,
                                bool client_can_embed) {
    return ComposeAttachmentList(*received.get(), options, client_can_embed, nullptr, *environment_.get(), nullptr);
  }

  std::vector<std::u16string> paths(const AttachmentComposition& composed) {
    return paths_of(*list_of(composed.attachments).get());
  }

  platform::ComPtr<IClientEnvironment> environment_;
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
    const auto received = selection({row.picture, u"file::C:\\m\\clip.wmv"});
    const auto composed = compose(received, options, row.client_can_embed);
    EXPECT_EQ(paths(composed), (std::vector<std::u16string>{u"file::C:\\m\\clip.wmv", row.picture}));
    EXPECT_EQ(composed.items_can_embed, row.items_can_embed);
    EXPECT_TRUE(composed.complete);
    EXPECT_TRUE(world_->saved.empty()) << "nothing is converted";
  }
  EXPECT_TRUE(world_->messages.empty());

  // Only others: nothing to embed.
  const auto composed = compose(selection({u"file::C:\\m\\clip.wmv"}), options, true);
  EXPECT_FALSE(composed.items_can_embed);
}

TEST_F(ComposeTest, ConversionAppendsTheJpegsAndAFailureIsReportedWithTheRestKept) {
  struct Row {
    int line;
    bool loads;
    bool client_can_embed;
    std::vector<std::u16string> expected;
    bool items_can_embed;
    std::size_t reports;
  };
  seed_picture(u"file::C:\\m\\photo.png", 1600, 1600);
  const std::u16string converted = u"file::" + temp() + u"photo.jpg";
  const Row rows[] = {
      {__LINE__, true, true, {u"file::C:\\m\\clip.wmv", converted}, true, 0},
      {__LINE__, true, false, {u"file::C:\\m\\clip.wmv", converted}, false, 0},
      {__LINE__, false, true, {u"file::C:\\m\\clip.wmv"}, false, 1},
  };
  EmailShareOptions options;
  options.convert_to_jpeg = true;
  options.jpeg_optimization = 0;
  options.screen_size = 1;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    std::filesystem::remove(root_ / "temp" / "photo.jpg");
    world_->unloadable.clear();
    world_->saved.clear();
    world_->messages.clear();
    if (!row.loads) world_->unloadable.insert(u"file::C:\\m\\photo.png");
    const auto received = selection({u"file::C:\\m\\photo.png", u"file::C:\\m\\clip.wmv"});
    const auto composed = compose(received, options, row.client_can_embed);
    EXPECT_EQ(paths(composed), row.expected);
    EXPECT_EQ(composed.items_can_embed, row.items_can_embed);
    EXPECT_EQ(composed.complete, row.reports == 0);
    ASSERT_EQ(world_->messages.size(), row.reports);
    if (row.reports) {
      EXPECT_EQ(world_->messages[0], u"Some items could not be prepared.||They were left out.");
    }
    if (row.loads) {
      ASSERT_EQ(world_->saved.size(), 1u);
      EXPECT_EQ(world_->saved[0].width, 600) << "the 800 x 600 box of screen size 1";
      EXPECT_EQ(world_->saved[0].height, 600);
    }
  }
}

TEST_F(ComposeTest, AFailedGatheringIsReportedAndWhatWasGatheredGoesOn) {
  EmailShareOptions options;
  options.convert_to_jpeg = false;
  zozed::email::ItemList items = items_of(item(u"file::\\\\srv\\media\\gone.jpg"), item(u"file::C:\\m\\clip.wmv"));
  world_->entries = {{u"file::\\\\srv\\media\\gone.jpg", u"file::\\\\srv\\media\\gone.jpg", 0},
                     {u"file::C:\\m\\clip.wmv", u"file::C:\\m\\clip.wmv", 0}};
  const auto received = list_of(items);
  const auto composed = compose(received, options, true);
  EXPECT_EQ(paths(composed), (std::vector<std::u16string>{u"file::C:\\m\\clip.wmv"}));
  EXPECT_FALSE(composed.complete);
  EXPECT_FALSE(composed.items_can_embed);
  EXPECT_EQ(world_->messages.size(), 1u);
  EXPECT_EQ(paths_of(*received.get()).size(), 2u) << "the caller's list is left as it was";
}

}  // namespace
}  // namespace zozed_test
