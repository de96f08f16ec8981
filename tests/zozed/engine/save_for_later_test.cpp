// Saving for later: the dated folder (its date picture by the locale's long-date order, the
// separator rule, which creation failures count as made, the length limit) and the resolver's
// files copied into it under their own names or free variants, turned where the resolver says.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_faults.h"
#include "platform/locale_profile.h"
#include "platform/path_mapping.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/dated_folder.h"
#include "zozed/email/engine/save_for_later.h"

namespace zozed_test {
namespace {

using zozed::email::CreateDirectoryPath;
using zozed::email::DatePictureFor;
using zozed::email::MakeDatedFolder;
using zozed::email::SaveItemsForLater;

constexpr SYSTEMTIME kDecember4 = {2026, 12, 5, 4, 10, 30, 0, 0};

bool is_directory(std::u16string_view windows_path) {
  const auto posix = platform::posix_path_of(windows_path);
  return posix && std::filesystem::is_directory(*posix);
}

TEST(DatePictureFor, TheLongDateOrderReadAsANumber) {
  struct Row {
    int line;
    std::optional<std::u16string_view> order;
    std::u16string_view picture;
  };
  const Row rows[] = {
      {__LINE__, u"0", u"MMM'-'dd'-'yyyy"},
      {__LINE__, u"2", u"yyyy'-'MMM'-'dd"},
      {__LINE__, u" 2", u"yyyy'-'MMM'-'dd"},
      {__LINE__, u"3", u"dd'-'MMM'-'yyyy"},
      {__LINE__, u"", u"MMM'-'dd'-'yyyy"},   // no digits read as 0
      {__LINE__, std::nullopt, u"dd'-'MMM'-'yyyy"},
  };
  for (const Row& row : rows) EXPECT_EQ(DatePictureFor(row.order), row.picture) << "row at line " << row.line;
}

class SaveForLaterTest : public EngineTest {
 protected:
  static platform::LocaleProfile english(int order) {
    return platform::LocaleProfile::from_json(R"({"base": "en-US", "date_order": )" + std::to_string(order) + "}");
  }
};

TEST_F(SaveForLaterTest, TheFolderIsNamedInTheLocalesOrderWithAbbreviatedMonths) {
  for (const auto& [order, expected] : {std::pair{0, u"C:\\mail\\Dec-04-2026"}, std::pair{2, u"C:\\mail\\2026-Dec-04"}}) {
    platform::ScopedLocaleProfile locale(english(order));
    EXPECT_EQ(MakeDatedFolder(u"C:\\mail", kDecember4), expected);
    EXPECT_TRUE(is_directory(expected));
  }
  platform::ScopedLocaleProfile german(platform::LocaleProfile::from_json(R"({"base": "de-DE"})"));
  const auto folder = MakeDatedFolder(u"C:\\mail", kDecember4);
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->substr(0, 11), u"C:\\mail\\04-") << "day first, with the locale's own month name";
  EXPECT_NE(*folder, u"C:\\mail\\04-Dec-2026");
}

TEST_F(SaveForLaterTest, TheSaveLocationGetsOneSeparatorAndMustHaveTwoCharacters) {
  platform::ScopedLocaleProfile locale(english(2));
  struct Row {
    int line;
    std::u16string location;
    std::optional<std::u16string> expected;
  };
  const Row rows[] = {
      {__LINE__, u"C:\\later\\", u"C:\\later\\2026-Dec-04"},
      {__LINE__, u"C:\\later/", u"C:\\later/2026-Dec-04"},
      {__LINE__, u"C:", u"C:\\2026-Dec-04"},
      {__LINE__, u"C", std::nullopt},
      {__LINE__, u"Q:\\later", std::nullopt},  // no such drive
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    const auto folder = MakeDatedFolder(row.location, kDecember4);
    EXPECT_EQ(folder, row.expected);
    if (folder) {
      EXPECT_TRUE(is_directory(*folder));
    }
  }
}

TEST_F(SaveForLaterTest, CreationAcceptsWhatExistsWhatIsDeniedAndAServerName) {
  std::filesystem::create_directories(root_ / "c" / "locked");
  platform::set_read_only_folder((root_ / "c" / "locked").string(), true);
  fakes::write_file(u"C:\\file.txt");
  struct Row {
    int line;
    const char16_t* path;
    bool made;
    bool exists;
  };
  const Row rows[] = {
      {__LINE__, u"C:\\made\\deep\\er", true, true},
      {__LINE__, u"C:/mixed\\separators//x/", true, true},
      {__LINE__, u"C:\\locked\\new", true, false},           // access denied counts as made
      {__LINE__, u"C:\\locked\\new\\inner", false, false},   // ... but nothing below it can be
      {__LINE__, u"C:\\file.txt\\x", false, false},
      {__LINE__, u"\\\\srv\\media\\u\\v", true, true},       // the server name answers invalid name
      {__LINE__, u"C:\\bad|name\\x", false, false},          // invalid name off a share is a failure
      {__LINE__, u"\\\\nosuch\\share\\x", false, false},
      {__LINE__, u"\\\\", false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    EXPECT_EQ(CreateDirectoryPath(row.path), row.made);
    EXPECT_EQ(is_directory(row.path), row.exists);
  }
}

TEST_F(SaveForLaterTest, APathOfTheFullCapacityIsRefusedBeforeAnythingIsMade) {
  platform::ScopedLocaleProfile locale(english(2));
  // "C:\long\" + name + "\" + "2026-Dec-04": 20 characters besides the name.
  const std::u16string refused = u"C:\\long\\" + std::u16string(zozed::email::kDatedFolderCapacity - 20, u'n');
  EXPECT_EQ(MakeDatedFolder(refused, kDecember4), std::nullopt);
  EXPECT_FALSE(is_directory(u"C:\\long"));

  // One character less passes the limit and fails only where the file system refuses the name.
  const std::u16string fits = u"C:\\long\\" + std::u16string(zozed::email::kDatedFolderCapacity - 21, u'n');
  EXPECT_EQ(MakeDatedFolder(fits, kDecember4), std::nullopt);
  EXPECT_TRUE(is_directory(u"C:\\long"));
}

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
