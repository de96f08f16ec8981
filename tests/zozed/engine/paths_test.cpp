// Names, places and sizes of prepared files: free names in the temporary folder, which paths lie
// off the local fixed disks, which are JPEG files, the attachment total at the kilobyte
// boundaries and the paths handed to the mail service.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/fileapi.h"
#include "platform/handleapi.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/attachment_paths.h"
#include "zozed/email/engine/path_checks.h"
#include "zozed/email/engine/unique_file_name.h"

namespace zozed_test {
namespace {

using zozed::email::AttachmentTotalKB;

class PathsTest : public EngineTest {
 protected:
  // A file of `bytes` bytes on drive C:, as the item of a host path.
  platform::ComPtr<IUnknown> file_item(const std::string& name, std::size_t bytes) {
    std::ofstream(root_ / "c" / name, std::ios::binary) << std::string(bytes, 'x');
    return item(u"file::C:\\" + std::u16string(name.begin(), name.end()));
  }
};

TEST_F(PathsTest, UniqueNamesCountPastExistingFiles) {
  for (const char16_t* name : {u"photo.jpg", u"photo (1).jpg", u"QRNES0.dmsp", u"CLIP.WMV"})
    fakes::write_file(temp() + name);
  struct Row {
    int line;
    const char16_t* extension;
    const char16_t* base;
    const char16_t* expected;
  };
  const Row rows[] = {
      {__LINE__, u".jpg", u"photo", u"photo (2).jpg"},
      {__LINE__, u".png", u"photo", u"photo.png"},
      {__LINE__, u".dmsp", u"", u"QRNES1.dmsp"},
      {__LINE__, u".wmv", u"", u"QRNES0.wmv"},
      {__LINE__, u".wmv", u"clip", u"clip (1).wmv"},  // names compare as Windows compares them
      {__LINE__, u"", u"notes", u"notes"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(zozed::email::MakeUniqueFileName(temp(), row.extension, row.base), row.expected)
        << "row at line " << row.line;
}

TEST_F(PathsTest, OffLocalDiskBySharesAndDriveTypes) {
  struct Row {
    int line;
    const char16_t* path;
    bool share, not_local;
  };
  const Row rows[] = {
      {__LINE__, u"file::C:\\photos\\a.jpg", false, false},
      {__LINE__, u"file::D:\\a.jpg", false, true},       // removable
      {__LINE__, u"E:\\a.jpg", false, true},             // no such drive
      {__LINE__, u"file::\\\\srv\\media\\a.jpg", true, true},
      {__LINE__, u"a.jpg", false, true},                 // no drive form at all
      {__LINE__, u"C:a.jpg", false, false},              // drive form without a root: not asked
  };
  for (const Row& row : rows) {
    zozed::email::DiskPlacement placement;
    EXPECT_EQ(zozed::email::IsOffLocalDisk(row.path, &placement), row.share || row.not_local) << "row at line " << row.line;
    EXPECT_EQ(placement.network_share, row.share) << "row at line " << row.line;
    EXPECT_EQ(placement.not_local_fixed, row.not_local) << "row at line " << row.line;
  }
}

TEST(PathChecksTest, JpegByExtensionIgnoringCase) {
  for (const char16_t* path : {u"file::C:\\a.JPG", u"a.jpeg", u"a.JpEg"}) EXPECT_TRUE(zozed::email::IsJpegPath(path));
  for (const char16_t* path : {u"a.jpe", u"a.png", u"a.jpg.png", u"C:\\jpg", u""})
    EXPECT_FALSE(zozed::email::IsJpegPath(path)) << fakes::narrow(path);
}

TEST_F(PathsTest, TotalKilobytesRoundDownAndAddOne) {
  const struct {
    int line;
    std::size_t bytes;
    LONG kb;
  } kRows[] = {
      {__LINE__, 0, 1},          {__LINE__, 1, 1},          {__LINE__, 1023, 1},
      {__LINE__, 1024, 2},       {__LINE__, 1023999, 1000}, {__LINE__, 1024000, 1001},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(AttachmentTotalKB(items_of(file_item("f.bin", row.bytes))), row.kb) << "row at line " << row.line;
  EXPECT_EQ(AttachmentTotalKB({}), 1);
  EXPECT_EQ(AttachmentTotalKB(items_of(file_item("a.bin", 1000), file_item("b.bin", 48))), 2) << "added before rounding";
}

TEST_F(PathsTest, FilesThatCannotBeOpenedCountNothing) {
  auto kept = file_item("kept.bin", 4096);
  auto open = file_item("open.bin", 10 * 1024);
  // Opened elsewhere without sharing: the total cannot open it either.
  HANDLE holder = CreateFileW(u"C:\\open.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const LONG with_open = AttachmentTotalKB(items_of(kept.copy(), open.copy(), item(u"file::C:\\missing.jpg")));
  CloseHandle(holder);
  EXPECT_EQ(with_open, 5);
  EXPECT_EQ(AttachmentTotalKB(items_of(std::move(kept), std::move(open))), 15);
}

TEST_F(PathsTest, AttachmentPathsArePlainInOrder) {
  platform::Variant paths(LONG{7});  // cleared first
  zozed::email::BuildAttachmentPaths(items_of(item(u"file::C:\\b.jpg"), item(u"D:\\a.png")), *paths.put());
  EXPECT_EQ(fakes::strings_of(*paths.get()), (std::vector<std::u16string>{u"C:\\b.jpg", u"D:\\a.png"}));
}

}  // namespace
}  // namespace zozed_test
