// File names for the mail hand-off: which names survive the ANSI code page, the user's answer to
// copying the others, and the copies made, swapped into the list and owned by their items.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/winnls.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/ansi_attachments.h"
#include "zozed/email/engine/attachment_paths.h"

namespace zozed_test {
namespace {

using fakes::strings_of;
using zozed::email::ExtraOf;

TEST(ConvertsToAnsi, OnlyNamesTheCodePageHoldsWithoutBestFit) {
  platform::ScopedMachineProfile machine;
  struct Row {
    int line;
    UINT code_page;
    const char16_t* text;
    bool converts;
  };
  const Row rows[] = {
      {__LINE__, 1252, u"C:\\Photos\\beach.jpg", true},
      {__LINE__, 1252, u"C:\\Fotos\\Caf\u00e9 \u00e0 Paris.jpg", true},
      {__LINE__, 1252, u"C:\\what?.jpg", true},                  // a question mark of its own is no replacement
      {__LINE__, 1252, u"", true},
      {__LINE__, 1252, u"C:\\\u0141\u00f3d\u017a.jpg", false},    // best fit would make it "Lodz"
      {__LINE__, 1252, u"C:\\\u65e5\u672c.jpg", false},
      {__LINE__, 1250, u"C:\\\u0141\u00f3d\u017a.jpg", true},
      {__LINE__, 1250, u"C:\\Caf\u00e0.jpg", false},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(platform::set_ansi_code_page(row.code_page));
    EXPECT_EQ(zozed::email::ConvertsToAnsi(row.text), row.converts) << "row at line " << row.line;
  }
}

class AnsiAttachmentsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_TRUE(platform::set_ansi_code_page(1252));
    world_->strings[62596] = u"Copy?";
    world_->strings[62597] = u"Copies get plain names.";
    world_->strings[62598] = u"Cannot send.";
    world_->strings[62599] = u"Rename the files.";
    world_->strings[62600] = u"Picture";
  }
  void TearDown() override {
    items_.clear();
    paths_.put();
    EngineTest::TearDown();
  }

  // Prepared items for the files, and their paths as the hand-off takes them, prepared.
  bool prepare(const std::vector<std::u16string>& files) {
    items_.clear();
    for (const auto& file : files) items_.push_back(zozed::email::MakePreparedItem(u"file::" + file).As<IUnknown>());
    zozed::email::BuildAttachmentPaths(items_, *paths_.put());
    return zozed::email::PrepareAnsiAttachments(*paths_.get(), items_, environment(), nullptr);
  }
  bool asked_with(const char* buttons) {
    return std::find(world_->calls.begin(), world_->calls.end(), std::string("message buttons ") + buttons) !=
           world_->calls.end();
  }

  ItemList items_;
  platform::Variant paths_;
  const std::u16string polish_ = u"C:\\p\\\u0141\u00f3d\u017a.jpg";
  const std::u16string japanese_ = u"C:\\p\\\u65e5\u672c.jpg";
  const std::u16string plain_ = u"C:\\p\\plain.png";
};

TEST_F(AnsiAttachmentsTest, NamesThatConvertPassUntouchedAndNobodyIsAsked) {
  fakes::write_file(plain_);
  EXPECT_TRUE(prepare({plain_}));
  EXPECT_EQ(strings_of(*paths_.get()), std::vector<std::u16string>{plain_});
  EXPECT_TRUE(world_->messages.empty());
  EXPECT_TRUE(std::filesystem::is_empty(root_ / "temp"));
}

TEST_F(AnsiAttachmentsTest, TheAnswerDecidesAndCopiesTakeFreeNamesFromTheHostsBaseName) {
  fakes::write_file(polish_, "first");
  fakes::write_file(japanese_, "second");
  fakes::write_file(plain_, "third");
  // Anything but cancel goes on.
  for (const LONG answer : {host::kAnswerCancel, host::kAnswerOk, host::kAnswerYes}) {
    SCOPED_TRACE(testing::Message() << "answer " << answer);
    for (const auto& entry : std::filesystem::directory_iterator(root_ / "temp")) std::filesystem::remove(entry);
    world_->messages.clear();
    world_->calls.clear();
    world_->answers = {answer};
    const bool goes_on = answer != host::kAnswerCancel;

    EXPECT_EQ(prepare({polish_, plain_, japanese_}), goes_on);
    ASSERT_EQ(world_->messages, std::vector<std::u16string>{u"Copy?||Copies get plain names."});
    EXPECT_TRUE(asked_with("1"));
    if (!goes_on) {
      EXPECT_EQ(strings_of(*paths_.get()), (std::vector<std::u16string>{polish_, plain_, japanese_}));
      EXPECT_TRUE(std::filesystem::is_empty(root_ / "temp"));
      EXPECT_EQ(temp_file_of(items_[0].get()), u"");
      continue;
    }
    const std::u16string first = temp() + u"Picture.jpg";
    const std::u16string second = temp() + u"Picture (1).jpg";
    EXPECT_EQ(strings_of(*paths_.get()), (std::vector<std::u16string>{first, plain_, second}));
    EXPECT_EQ(content_of(root_ / "temp" / "Picture.jpg"), "first");
    EXPECT_EQ(content_of(root_ / "temp" / "Picture (1).jpg"), "second");
    EXPECT_EQ(temp_file_of(items_[0].get()), first);
    EXPECT_EQ(temp_file_of(items_[1].get()), u"");
    EXPECT_EQ(temp_file_of(items_[2].get()), second);
    // The copy goes with its item; the user's file stays.
    EXPECT_EQ(ExtraOf(items_[0].get())->DeleteTempFile(), S_OK);
    EXPECT_FALSE(exists(first));
    EXPECT_TRUE(exists(polish_));
  }
}

TEST_F(AnsiAttachmentsTest, ATemporaryFolderThatDoesNotConvertEitherIsToldAndStops) {
  const auto folder = root_ / "temp-\u65e5\u672c";
  std::filesystem::create_directories(folder);
  platform::set_temp_folder(folder.string());
  fakes::write_file(polish_);
  EXPECT_FALSE(prepare({polish_}));
  EXPECT_EQ(world_->messages, std::vector<std::u16string>{u"Cannot send.||Rename the files."});
  EXPECT_TRUE(asked_with("0"));
  EXPECT_EQ(strings_of(*paths_.get()), std::vector<std::u16string>{polish_});
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(AnsiAttachmentsTest, AFailedCopyIsReportedAfterEveryFileWasTried) {
  fakes::write_file(japanese_, "there");  // the polish file is missing
  EXPECT_FALSE(prepare({polish_, japanese_}));
  EXPECT_EQ(world_->messages, (std::vector<std::u16string>{u"Copy?||Copies get plain names.",
                                                           u"Some items could not be prepared.||They were left out."}));
  EXPECT_EQ(strings_of(*paths_.get()), (std::vector<std::u16string>{polish_, temp() + u"Picture.jpg"}));
  EXPECT_EQ(content_of(root_ / "temp" / "Picture.jpg"), "there");
}

}  // namespace
}  // namespace zozed_test
