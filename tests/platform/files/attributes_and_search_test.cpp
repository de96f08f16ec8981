#include <gtest/gtest.h>

#include <vector>

#include "platform/winbase.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/files/files_test_support.h"

namespace {

using files_test::DriveTest;

TEST_F(DriveTest, AttributesMapOntoPermissionsNamesAndKinds) {
  make_folder("Folder");
  make_file("plain.txt");
  make_file(".hidden");
  make_file("locked.txt");
  files_test::make_read_only(posix("locked.txt"));
  struct Row { int line; const char16_t* path; DWORD attributes; };
  const Row rows[] = {
      {__LINE__, u"C:\\folder", FILE_ATTRIBUTE_DIRECTORY},
      {__LINE__, u"C:\\", FILE_ATTRIBUTE_DIRECTORY},
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
