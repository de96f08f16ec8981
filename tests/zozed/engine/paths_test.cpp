// Names and places of prepared files: free names in the temporary folder, which paths lie off
// the local fixed disks, which are JPEG files.
#include <gtest/gtest.h>

#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/path_checks.h"
#include "zozed/email/engine/unique_file_name.h"

namespace zozed_test {
namespace {

using zozed::email::DiskPlacement;
using zozed::email::IsJpegPath;
using zozed::email::IsOffLocalDisk;
using zozed::email::MakeUniqueFileName;

class PathsTest : public EngineTest {};

TEST_F(PathsTest, UniqueNamesCountPastExistingFiles) {
  fakes::write_file(temp() + u"photo.jpg");
  fakes::write_file(temp() + u"photo (1).jpg");
  fakes::write_file(temp() + u"QRNES0.dmsp");
  fakes::write_file(temp() + u"CLIP.WMV");
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
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    EXPECT_EQ(MakeUniqueFileName(temp(), row.extension, row.base), row.expected);
  }
}

TEST_F(PathsTest, OffLocalDiskBySharesAndDriveTypes) {
  struct Row {
    int line;
    const char16_t* path;
    bool share;
    bool not_local;
  };
  const Row rows[] = {
      {__LINE__, u"file::C:\\photos\\a.jpg", false, false},
      {__LINE__, u"C:\\photos\\a.jpg", false, false},
      {__LINE__, u"file::D:\\a.jpg", false, true},       // removable
      {__LINE__, u"E:\\a.jpg", false, true},             // no such drive
      {__LINE__, u"\\\\srv\\media\\a.jpg", true, true},
      {__LINE__, u"file::\\\\srv\\media\\a.jpg", true, true},
      {__LINE__, u"a.jpg", false, true},                 // no drive form at all
      {__LINE__, u"C:a.jpg", false, false},              // drive form without a root: not asked
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    DiskPlacement placement;
    EXPECT_EQ(IsOffLocalDisk(row.path, &placement), row.share || row.not_local);
    EXPECT_EQ(placement.network_share, row.share);
    EXPECT_EQ(placement.not_local_fixed, row.not_local);
  }
}

TEST(PathChecksTest, JpegByExtensionIgnoringCase) {
  struct Row {
    int line;
    const char16_t* path;
    bool jpeg;
  };
  const Row rows[] = {
      {__LINE__, u"file::C:\\a.JPG", true}, {__LINE__, u"a.jpeg", true},  {__LINE__, u"a.JpEg", true},
      {__LINE__, u"a.jpe", false},          {__LINE__, u"a.png", false},  {__LINE__, u"a.jpg.png", false},
      {__LINE__, u"C:\\jpg", false},         {__LINE__, u"", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    EXPECT_EQ(IsJpegPath(row.path), row.jpeg);
  }
}

}  // namespace
}  // namespace zozed_test
