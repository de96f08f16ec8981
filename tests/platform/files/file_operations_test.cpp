// Copying, moving, deleting, attributes and searches.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>
#include <vector>

#include "platform/winbase.h"
#include "tests/platform/files/files_test_support.h"
#include "tests/platform/platform_test_support.h"

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

TEST_F(DriveTest, AttributesMapOntoPermissionsNamesAndKinds) {
  make_folder("Folder");
  make_file("plain.txt");
  make_file(".hidden");
  make_file("locked.txt");
  files_test::make_read_only(posix("locked.txt"));
  struct Row { int line; const char16_t* path; DWORD attributes; };
  const Row rows[] = {
      {__LINE__, u"C:\\folder", FILE_ATTRIBUTE_DIRECTORY},     {__LINE__, u"C:\\", FILE_ATTRIBUTE_DIRECTORY},
      {__LINE__, u"C:\\PLAIN.TXT", FILE_ATTRIBUTE_ARCHIVE},
      {__LINE__, u"C:\\.Hidden", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN},
      {__LINE__, u"C:\\locked.txt", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},
  };
  for (const auto& row : rows) EXPECT_EQ(GetFileAttributesW(row.path), row.attributes) << "line " << row.line;

  EXPECT_EQ(GetFileAttributesA("c:\\plain.TXT"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(SetFileAttributesW(u"C:\\plain.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetFileAttributesW(u"C:\\plain.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SetFileAttributesW(u"C:\\plain.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesW(u"C:\\plain.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

  make_file("sized.bin", std::string(70000, 'z'));
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExW(u"C:\\SIZED.BIN", GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 70000u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  EXPECT_GT(data.ftLastWriteTime.dwHighDateTime, 0x01D00000u) << "a time after 2014 counted from 1601";
}

std::vector<std::u16string> find_all(const char16_t* pattern, DWORD* error = nullptr) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW(pattern, &data);
  if (search == INVALID_HANDLE_VALUE) {
    if (error) *error = GetLastError();
    return names;
  }
  do names.emplace_back(data.cFileName);
  while (FindNextFileW(search, &data));
  if (error) *error = GetLastError();
  EXPECT_TRUE(FindClose(search));
  return names;
}

TEST_F(DriveTest, FindFirstFileMatchesPatternsIgnoringCaseInNameOrder) {
  make_folder("Album");
  for (const char* name : {"b.JPG", "A.jpg", "c.png", "README", "Photo (1).jpg", "photo (2).JPG", "x.jpeg"})
    make_file(std::string("Album/") + name);
  make_folder("Album/Sub.jpg");
  using Names = std::vector<std::u16string>;
  struct Row { int line; const char16_t* pattern; Names names; };
  const Row rows[] = {
      {__LINE__, u"C:\\album\\*.jpg", {u"A.jpg", u"b.JPG", u"Photo (1).jpg", u"photo (2).JPG", u"Sub.jpg"}},
      {__LINE__, u"C:\\ALBUM\\photo (?).jpg", {u"Photo (1).jpg", u"photo (2).JPG"}},
      {__LINE__, u"C:\\Album\\?.??g", {u"A.jpg", u"b.JPG", u"c.png"}},
      {__LINE__, u"C:\\Album\\readme.*", {u"README"}},  // "name.*" finds a name without extension
      {__LINE__, u"C:\\Album\\*.jp*g", {u"A.jpg", u"b.JPG", u"Photo (1).jpg", u"photo (2).JPG", u"Sub.jpg", u"x.jpeg"}},
      {__LINE__, u"C:\\Album\\*",
       {u".", u"..", u"A.jpg", u"b.JPG", u"c.png", u"Photo (1).jpg", u"photo (2).JPG", u"README", u"Sub.jpg",
        u"x.jpeg"}},
      {__LINE__, u"C:\\Album\\a.JPG", {u"A.jpg"}},
  };
  for (const auto& row : rows) EXPECT_EQ(find_all(row.pattern), row.names) << "line " << row.line;

  WIN32_FIND_DATAW data{};
  HANDLE search = FindFirstFileW(u"C:\\Album\\Sub.*", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_FAILS_WITH(FindNextFileW(search, &data), FALSE, ERROR_NO_MORE_FILES);
  EXPECT_FALSE(CloseHandle(search)) << "a search closes with FindClose";
  EXPECT_TRUE(FindClose(search));

  DWORD error = 0;
  EXPECT_TRUE(find_all(u"C:\\Album\\*.gif", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(find_all(u"C:\\NoAlbum\\*", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  const auto root = find_all(u"C:\\*");
  EXPECT_EQ(root, (Names{u"Album"})) << "a drive's root has no \".\" and \"..\"";
}

}  // namespace
