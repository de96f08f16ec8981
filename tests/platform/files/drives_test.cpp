#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include "platform/file_faults.h"
#include "platform/winbase.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/files/files_test_support.h"

namespace {

using files_test::DriveTest;

TEST_F(DriveTest, DriveTypesComeFromTheTablesForRootsOnly) {
  platform::map_drive(u'D', root_.path(), DRIVE_CDROM);
  platform::map_drive(u'e', root_.path(), DRIVE_REMOVABLE);
  platform::map_drive(u'N', root_.path(), DRIVE_REMOTE);
  platform::map_drive(u'R', root_.path(), DRIVE_RAMDISK);
  platform::map_share(u"\\\\nas\\Photos", root_.path());
  struct Row { int line; const char* root; UINT type; };
  const Row rows[] = {
      {__LINE__, "C:\\", DRIVE_FIXED},        {__LINE__, "c:", DRIVE_FIXED},
      {__LINE__, "C:/", DRIVE_FIXED},         {__LINE__, "D:\\", DRIVE_CDROM},
      {__LINE__, "E:\\", DRIVE_REMOVABLE},    {__LINE__, "n:\\", DRIVE_REMOTE},
      {__LINE__, "R:\\", DRIVE_RAMDISK},      {__LINE__, "Z:\\", DRIVE_FIXED},
      {__LINE__, "Q:\\", DRIVE_NO_ROOT_DIR},  {__LINE__, "C:\\folder\\", DRIVE_NO_ROOT_DIR},
      {__LINE__, "\\\\NAS\\photos\\", DRIVE_REMOTE}, {__LINE__, "\\\\nas\\photos", DRIVE_REMOTE},
      {__LINE__, "\\\\nas\\other\\", DRIVE_NO_ROOT_DIR}, {__LINE__, "relative", DRIVE_NO_ROOT_DIR},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(GetDriveTypeA(row.root), row.type) << "line " << row.line << " " << row.root;
    EXPECT_EQ(GetDriveTypeW(platform::widen(row.root).c_str()), row.type) << "line " << row.line;
  }
  platform::unmap_drive(u'D');
  EXPECT_EQ(GetDriveTypeA("D:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
}

TEST_F(DriveTest, FreeSpaceComesFromTheFileSystemUnlessSetForTheDrive) {
  make_folder("deep/er");
  ULARGE_INTEGER free_to_caller{}, total{}, total_free{};
  ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\deep\\ER", &free_to_caller, &total, &total_free));
  struct statvfs fs {};
  ASSERT_EQ(statvfs(root_.path().c_str(), &fs), 0);
  EXPECT_EQ(total.QuadPart, ULONGLONG{fs.f_blocks} * fs.f_frsize);
  EXPECT_LE(free_to_caller.QuadPart, total_free.QuadPart);
  EXPECT_LE(total_free.QuadPart, total.QuadPart);

  platform::set_disk_space(u"c:", platform::DiskSpace{1000, 5000, 2000});
  ASSERT_TRUE(GetDiskFreeSpaceExW(u"C:\\deep", &free_to_caller, nullptr, &total_free));
  EXPECT_EQ(free_to_caller.QuadPart, 1000u);
  EXPECT_EQ(total_free.QuadPart, 2000u);
  ASSERT_TRUE(GetDiskFreeSpaceExA("Z:\\", &free_to_caller, nullptr, nullptr));
  EXPECT_NE(free_to_caller.QuadPart, 1000u) << "only drive C: is set";

  EXPECT_FAILS_WITH(GetDiskFreeSpaceExA("C:\\missing\\", &free_to_caller, nullptr, nullptr), FALSE,
                    ERROR_PATH_NOT_FOUND);
  EXPECT_FAILS_WITH(GetDiskFreeSpaceExA("Q:\\", &free_to_caller, nullptr, nullptr), FALSE, ERROR_PATH_NOT_FOUND);
}

TEST_F(DriveTest, TempPathIsTheProfilesFolderWithATrailingBackslashAndIsMade) {
  platform::set_temp_folder(posix("Temp/zozed"));
  WCHAR buffer[2048];
  const DWORD length = GetTempPathW(2048, buffer);
  EXPECT_EQ(std::u16string(buffer), u"C:\\Temp\\zozed\\");
  EXPECT_EQ(length, 14u);
  EXPECT_TRUE(files_test::exists(posix("Temp/zozed")));

  WCHAR small[14];
  small[0] = u'?';
  EXPECT_EQ(GetTempPathW(14, small), 15u) << "no room for the terminator: the size needed with it";
  EXPECT_EQ(small[0], u'?') << "the buffer is untouched";
  EXPECT_EQ(GetTempPathW(0, nullptr), 15u);
  WCHAR exact[15];
  EXPECT_EQ(GetTempPathW(15, exact), 14u);
  EXPECT_EQ(std::u16string(exact), u"C:\\Temp\\zozed\\");
}

TEST_F(DriveTest, TempPathDefaultsToAFolderOfTheUsersOwnInTmpdir) {
  const char* previous = std::getenv("TMPDIR");
  const std::string saved = previous ? previous : "";
  setenv("TMPDIR", (root_.path() + "/").c_str(), 1);
  WCHAR buffer[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, buffer);
  if (previous)
    setenv("TMPDIR", saved.c_str(), 1);
  else
    unsetenv("TMPDIR");
  const std::string name = "zozed-" + std::to_string(getuid());
  EXPECT_EQ(std::u16string(buffer, length), u"C:\\" + platform::from_utf8(name) + u"\\");
  struct stat st {};
  ASSERT_EQ(stat(posix(name).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u) << "private to the user";
}

}  // namespace
