// File names for the mail hand-off: which names survive the ANSI code page, the user's answer to
// copying the others, and the copies made, swapped into the list and owned by their items.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/winnls.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/ansi_attachments.h"
#include "zozed/email/engine/attachment_paths.h"
#include "zozed/email/engine/prepared_item.h"

namespace zozed_test {
namespace {

using zozed::email::ConvertsToAnsi;
using zozed::email::ExtraOf;
using zozed::email::ItemList;
using zozed::email::PrepareAnsiAttachments;

std::vector<std::u16string> strings_of(const VARIANT& paths) {
  std::vector<std::u16string> out;
  auto array = platform::SafeArray::attach(paths.parray);
  for (LONG i = 0; i < static_cast<LONG>(array.size()); ++i) {
    platform::Bstr path;
    EXPECT_EQ(array.get_element(i, path), S_OK);
    out.emplace_back(path.view());
  }
  (void)array.detach();
  return out;
}

std::string content_of(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

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
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    ASSERT_TRUE(platform::set_ansi_code_page(row.code_page));
    EXPECT_EQ(ConvertsToAnsi(row.text), row.converts);
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
    std::filesystem::create_directories(root_ / "c" / "p");
    ASSERT_EQ(CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                               environment_.put_void()),
              S_OK);
  }
  void TearDown() override {
    environment_ = nullptr;
    EngineTest::TearDown();
  }

  ItemList prepared(const std::vector<std::u16string>& files) {
    ItemList items;
    for (const auto& file : files) items.push_back(zozed::email::MakePreparedItem(u"file::" + file).As<IUnknown>());
    return items;
  }

  bool prepare(platform::Variant& paths, const ItemList& items) {
    return PrepareAnsiAttachments(*paths.get(), items, *environment_.get(), nullptr);
  }

  static platform::Variant paths_for(const ItemList& items) {
    platform::Variant paths;
    zozed::email::BuildAttachmentPaths(items, *paths.get());
    return paths;
  }

  std::u16string temp_file(const ItemList& items, std::size_t index) {
    platform::Bstr file;
    EXPECT_EQ(ExtraOf(items[index].get())->GetTempFile(file.put()), S_OK);
    return std::u16string(file.view());
  }

  platform::ComPtr<IClientEnvironment> environment_;
  const std::u16string polish_ = u"C:\\p\\\u0141\u00f3d\u017a.jpg";
  const std::u16string japanese_ = u"C:\\p\\\u65e5\u672c.jpg";
  const std::u16string plain_ = u"C:\\p\\plain.png";
};

TEST_F(AnsiAttachmentsTest, NamesThatConvertPassUntouchedAndNobodyIsAsked) {
  fakes::write_file(plain_);
  const ItemList items = prepared({plain_});
  auto paths = paths_for(items);
  EXPECT_TRUE(prepare(paths, items));
  EXPECT_EQ(strings_of(*paths.get()), std::vector<std::u16string>{plain_});
  EXPECT_TRUE(world_->messages.empty());
  EXPECT_TRUE(std::filesystem::is_empty(root_ / "temp"));
}

TEST_F(AnsiAttachmentsTest, TheAnswerDecidesAndCopiesTakeFreeNamesFromTheHostsBaseName) {
  struct Row {
    int line;
    LONG answer;
    bool goes_on;
  };
  const Row rows[] = {
      {__LINE__, host::kAnswerCancel, false},
      {__LINE__, host::kAnswerOk, true},
      {__LINE__, host::kAnswerYes, true},  // anything but cancel goes on
  };
  fakes::write_file(polish_, "first");
  fakes::write_file(japanese_, "second");
  fakes::write_file(plain_, "third");
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    for (const auto& entry : std::filesystem::directory_iterator(root_ / "temp")) std::filesystem::remove(entry);
    world_->messages.clear();
    world_->calls.clear();
    world_->answers = {row.answer};
    const ItemList items = prepared({polish_, plain_, japanese_});
    auto paths = paths_for(items);

    EXPECT_EQ(prepare(paths, items), row.goes_on);
    ASSERT_EQ(world_->messages, std::vector<std::u16string>{u"Copy?||Copies get plain names."});
    EXPECT_NE(std::find(world_->calls.begin(), world_->calls.end(), "message buttons 1"), world_->calls.end());
    if (!row.goes_on) {
      EXPECT_EQ(strings_of(*paths.get()), (std::vector<std::u16string>{polish_, plain_, japanese_}));
      EXPECT_TRUE(std::filesystem::is_empty(root_ / "temp"));
      EXPECT_EQ(temp_file(items, 0), u"");
      continue;
    }
    const std::u16string first = temp() + u"Picture.jpg";
    const std::u16string second = temp() + u"Picture (1).jpg";
    EXPECT_EQ(strings_of(*paths.get()), (std::vector<std::u16string>{first, plain_, second}));
    EXPECT_EQ(content_of(root_ / "temp" / "Picture.jpg"), "first");
    EXPECT_EQ(content_of(root_ / "temp" / "Picture (1).jpg"), "second");
    EXPECT_EQ(temp_file(items, 0), first);
    EXPECT_EQ(temp_file(items, 1), u"");
    EXPECT_EQ(temp_file(items, 2), second);
    // The copy goes with its item; the user's file stays.
    EXPECT_EQ(ExtraOf(items[0].get())->DeleteTempFile(), S_OK);
    EXPECT_FALSE(std::filesystem::exists(root_ / "temp" / "Picture.jpg"));
    EXPECT_TRUE(std::filesystem::exists(root_ / "c" / "p" / "\u0141\u00f3d\u017a.jpg"));
  }
}

TEST_F(AnsiAttachmentsTest, ATemporaryFolderThatDoesNotConvertEitherIsToldAndStops) {
  const auto folder = root_ / "temp-\u65e5\u672c";
  std::filesystem::create_directories(folder);
  platform::set_temp_folder(folder.string());
  fakes::write_file(polish_);
  const ItemList items = prepared({polish_});
  auto paths = paths_for(items);
  EXPECT_FALSE(prepare(paths, items));
  EXPECT_EQ(world_->messages, std::vector<std::u16string>{u"Cannot send.||Rename the files."});
  EXPECT_NE(std::find(world_->calls.begin(), world_->calls.end(), "message buttons 0"), world_->calls.end());
  EXPECT_EQ(strings_of(*paths.get()), std::vector<std::u16string>{polish_});
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(AnsiAttachmentsTest, AFailedCopyIsReportedAfterEveryFileWasTried) {
  fakes::write_file(japanese_, "there");  // the polish file is missing
  const ItemList items = prepared({polish_, japanese_});
  auto paths = paths_for(items);
  EXPECT_FALSE(prepare(paths, items));
  EXPECT_EQ(world_->messages, (std::vector<std::u16string>{u"Copy?||Copies get plain names.",
                                                           u"Some items could not be prepared.||They were left out."}));
  EXPECT_EQ(strings_of(*paths.get()), (std::vector<std::u16string>{polish_, temp() + u"Picture.jpg"}));
  EXPECT_EQ(content_of(root_ / "temp" / "Picture.jpg"), "there");
}

}  // namespace
}  // namespace zozed_test
