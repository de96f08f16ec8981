#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>

#include "platform/winbase.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/files/files_test_support.h"

namespace {

using files_test::DriveTest;
using files_test::exists;
using files_test::read_text;

TEST_F(DriveTest, CopyFileHonoursFailIfExistsAndCopiesReadOnlyBitAndTime) {
  make_file("from.txt", "new");
  make_file("to.txt", "old");
  EXPECT_FAILS_WITH(CopyFileW(u"C:\\FROM.TXT", u"C:\\To.Txt", TRUE), FALSE, ERROR_FILE_EXISTS);
  EXPECT_EQ(read_text(posix("to.txt")), "old");

  EXPECT_TRUE(CopyFileW(u"C:\\FROM.TXT", u"C:\\To.Txt", FALSE));
  EXPECT_EQ(read_text(posix("to.txt")), "new") << "the existing target keeps its spelling";
  EXPECT_FALSE(exists(posix("To.Txt")));

  const struct timeval times[2] = {{1000000000, 0}, {1234567890, 0}};
  ASSERT_EQ(utimes(posix("from.txt").c_str(), times), 0);
  files_test::make_read_only(posix("from.txt"));
  EXPECT_TRUE(CopyFileW(u"C:\\from.txt", u"C:\\Fresh Copy.txt", TRUE));
  struct stat st {};
  ASSERT_EQ(stat(posix("Fresh Copy.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, 1234567890);
  EXPECT_EQ(GetFileAttributesW(u"C:\\fresh copy.txt") & FILE_ATTRIBUTE_READONLY,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));

  EXPECT_FAILS_WITH(CopyFileW(u"C:\\to.txt", u"C:\\fresh copy.txt", FALSE), FALSE, ERROR_ACCESS_DENIED);  // read-only
  EXPECT_FAILS_WITH(CopyFileW(u"C:\\to.txt", u"C:\\nodir\\x.txt", FALSE), FALSE, ERROR_PATH_NOT_FOUND);
  EXPECT_FAILS_WITH(CopyFileW(u"C:\\to.txt", u"C:\\TO.TXT", FALSE), FALSE, ERROR_SHARING_VIOLATION);  // onto itself
}

TEST_F(DriveTest, DeleteFileRefusesAReadOnlyFileUntilTheAttributeIsCleared) {
  make_file("photo.jpg");
  files_test::make_read_only(posix("photo.jpg"));
  EXPECT_FAILS_WITH(DeleteFileW(u"C:\\Photo.jpg"), FALSE, ERROR_ACCESS_DENIED);
  EXPECT_TRUE(exists(posix("photo.jpg")));
  ASSERT_TRUE(SetFileAttributesW(u"C:\\PHOTO.JPG", FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(DeleteFileW(u"C:\\Photo.jpg"));
  EXPECT_FALSE(exists(posix("photo.jpg")));
}

TEST_F(DriveTest, MoveFileExReplacesOnlyWhenAskedAndTakesTheNewSpelling) {
  make_file("a.txt", "A");
  make_file("b.txt", "B");
  EXPECT_FAILS_WITH(MoveFileExW(u"C:\\a.txt", u"C:\\B.TXT", 0), FALSE, ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(MoveFileExW(u"C:\\a.txt", u"C:\\B.TXT", MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(exists(posix("a.txt")));
  EXPECT_FALSE(exists(posix("b.txt"))) << "the replaced file is gone";
  EXPECT_EQ(read_text(posix("B.TXT")), "A");

  EXPECT_TRUE(MoveFileW(u"C:\\B.TXT", u"C:\\b.txt")) << "a change of case only";
  EXPECT_EQ(read_text(posix("b.txt")), "A");
  EXPECT_FALSE(exists(posix("B.TXT")));

  make_folder("folder");
  make_file("folder/inside.txt", "in");
  EXPECT_TRUE(MoveFileW(u"C:\\FOLDER", u"C:\\Moved Folder"));
  EXPECT_EQ(read_text(posix("Moved Folder/inside.txt")), "in");
  EXPECT_FAILS_WITH(MoveFileW(u"C:\\missing", u"C:\\x"), FALSE, ERROR_FILE_NOT_FOUND);
}

TEST_F(DriveTest, MoveFileAcrossFileSystemsCopiesOnlyWhenAllowed) {
  struct stat shm_st {}, tmp_st {};
  if (stat("/dev/shm", &shm_st) != 0 || stat(root_.path().c_str(), &tmp_st) != 0 ||
      shm_st.st_dev == tmp_st.st_dev || access("/dev/shm", W_OK) != 0)
    GTEST_SKIP() << "needs /dev/shm on another file system";
  char other[] = "/dev/shm/zozed_move_XXXXXX";
  ASSERT_NE(mkdtemp(other), nullptr);
  platform::map_drive(u'M', other, DRIVE_RAMDISK);
  make_file("far.txt", "far");
  EXPECT_FAILS_WITH(MoveFileExW(u"C:\\far.txt", u"M:\\far.txt", 0), FALSE, ERROR_NOT_SAME_DEVICE);
  EXPECT_TRUE(MoveFileExW(u"C:\\far.txt", u"M:\\far.txt", MOVEFILE_COPY_ALLOWED));
  EXPECT_FALSE(exists(posix("far.txt")));
  EXPECT_EQ(read_text(std::string(other) + "/far.txt"), "far");
  std::filesystem::remove_all(other);
}

TEST_F(DriveTest, GetTempFileNameMakesAFreeNameInTheFolder) {
  WCHAR name[MAX_PATH];
  EXPECT_EQ(GetTempFileNameW(u"C:\\", u"zozed", 0x1A2B, name), 0x1A2Bu);
  EXPECT_EQ(std::u16string(name), u"C:\\zoz1A2B.TMP");
  EXPECT_FALSE(exists(posix("zoz1A2B.TMP"))) << "a given number creates nothing";

  const UINT unique = GetTempFileNameW(u"C:", u"ab", 0, name);
  ASSERT_NE(unique, 0u);
  const auto made = platform::posix_path_of(name);
  ASSERT_TRUE(made);
  EXPECT_TRUE(exists(*made));
  EXPECT_EQ(std::u16string(name).substr(0, 5), u"C:\\ab");

  EXPECT_FAILS_WITH(GetTempFileNameW(u"C:\\nodir", u"ab", 0, name), 0u, ERROR_DIRECTORY);
}

}  // namespace
