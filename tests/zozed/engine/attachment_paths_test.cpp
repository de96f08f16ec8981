// The attachment total at the kilobyte boundaries, unreadable files, and the paths handed to the
// mail service.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/fileapi.h"
#include "platform/handleapi.h"
#include "tests/zozed/engine/engine_fixture.h"
#include "zozed/email/engine/attachment_paths.h"

namespace {

class AttachmentPathsTest : public zozed_test::EngineTest {
 protected:
  // A file of `bytes` bytes on drive C:, as the item of a host path.
  platform::ComPtr<IUnknown> file_item(const std::string& name, std::size_t bytes) {
    std::ofstream(root_ / "c" / name, std::ios::binary) << std::string(bytes, 'x');
    return item(u"file::C:\\" + std::u16string(name.begin(), name.end()));
  }
};

TEST_F(AttachmentPathsTest, TotalKilobytesRoundDownAndAddOne) {
  const struct {
    int line;
    std::size_t bytes;
    LONG kb;
  } kRows[] = {
      {__LINE__, 0, 1}, {__LINE__, 1, 1}, {__LINE__, 1023, 1}, {__LINE__, 1024, 2},
      {__LINE__, 1023999, 1000}, {__LINE__, 1024000, 1001},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(zozed::email::AttachmentTotalKB(items_of(file_item("f.bin", row.bytes))), row.kb);
  }
  EXPECT_EQ(zozed::email::AttachmentTotalKB({}), 1);
  // Two files add up before rounding.
  EXPECT_EQ(zozed::email::AttachmentTotalKB(items_of(file_item("a.bin", 1000), file_item("b.bin", 48))), 2);
}

TEST_F(AttachmentPathsTest, FilesThatCannotBeOpenedCountNothing) {
  auto kept = file_item("kept.bin", 4096);
  auto open = file_item("open.bin", 10 * 1024);
  // Opened elsewhere without sharing: the total cannot open it either.
  HANDLE holder = CreateFileW(u"C:\\open.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const LONG with_open = zozed::email::AttachmentTotalKB(items_of(kept.copy(), open.copy(), item(u"file::C:\\missing.jpg")));
  CloseHandle(holder);
  EXPECT_EQ(with_open, 5);
  EXPECT_EQ(zozed::email::AttachmentTotalKB(items_of(std::move(kept), std::move(open))), 15);
}

TEST_F(AttachmentPathsTest, PathsArePlainInOrder) {
  platform::Variant paths(LONG{7});  // cleared first
  zozed::email::BuildAttachmentPaths(items_of(item(u"file::C:\\b.jpg"), item(u"D:\\a.png")), *paths.put());
  ASSERT_EQ(paths.vt(), VT_ARRAY | VT_BSTR);
  LONG upper = -1;
  ASSERT_EQ(SafeArrayGetUBound(paths.get()->parray, 1, &upper), S_OK);
  ASSERT_EQ(upper, 1);
  const char16_t* expected[] = {u"C:\\b.jpg", u"D:\\a.png"};
  for (LONG i = 0; i <= upper; ++i) {
    BSTR path = nullptr;
    ASSERT_EQ(SafeArrayGetElement(paths.get()->parray, &i, &path), S_OK);
    EXPECT_EQ(platform::Bstr::attach(path).view(), expected[i]);
  }
}

}  // namespace
