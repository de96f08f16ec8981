// Drives, shares and paths: how Windows paths map onto the file system, drive types, free space
// and the temporary folder.
#include <gtest/gtest.h>

#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/file_faults.h"
#include "platform/fileapi.h"
#include "platform/path_mapping.h"
#include "platform/winbase.h"
#include "tests/platform/files/files_test_support.h"
#include "tests/platform/platform_test_support.h"

namespace {

using files_test::DriveTest;

class PathResolution : public DriveTest {
 protected:
  PathResolution() {
    make_folder("Photos/Summer");
    make_file("Photos/Summer/Beach.JPG");
    make_file("Photos/readme.txt");
    make_folder("both");
    make_file("both/name.txt", "lower");
    make_file("both/NAME.TXT", "upper");
  }
};

TEST_F(PathResolution, FindsExistingNamesWhateverTheirCaseAndKeepsNewNamesAsGiven) {
  struct Row {
    int line;
    std::u16string windows;
    std::string posix;  // relative to the drive's folder
  };
  const Row rows[] = {
      {__LINE__, u"C:\\Photos\\Summer\\Beach.JPG", "Photos/Summer/Beach.JPG"},
      {__LINE__, u"c:\\photos\\SUMMER\\beach.jpg", "Photos/Summer/Beach.JPG"},
      {__LINE__, u"C:/photos/summer/BEACH.jpg", "Photos/Summer/Beach.JPG"},
      {__LINE__, u"C:\\PHOTOS\\.\\Summer\\..\\README.TXT", "Photos/readme.txt"},
      {__LINE__, u"C:\\Photos\\\\Summer\\New File.txt", "Photos/Summer/New File.txt"},
      {__LINE__, u"C:\\photos\\New Folder\\Deeper.txt", "Photos/New Folder/Deeper.txt"},
      {__LINE__, u"C:\\both\\name.txt", "both/name.txt"},   // the exact name first
      {__LINE__, u"C:\\both\\NAME.TXT", "both/NAME.TXT"},
      {__LINE__, u"C:\\both\\Name.Txt", "both/NAME.TXT"},   // several fold alike: the smallest name
      {__LINE__, u"C:\\Photos\\readme.txt. . ", "Photos/readme.txt"},  // trailing dots and spaces go
      {__LINE__, u"\\\\?\\C:\\Photos\\readme.txt", "Photos/readme.txt"},
      {__LINE__, u"C:\\..\\..\\Photos", "Photos"},
  };
  for (const auto& row : rows) {
    DWORD error = 12345;
    const auto posix = platform::posix_path_of(row.windows, &error);
    ASSERT_TRUE(posix.has_value()) << "line " << row.line << " error " << error;
    EXPECT_EQ(*posix, root_ / row.posix) << "line " << row.line;
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS)) << "line " << row.line;
  }
}

TEST_F(PathResolution, RefusesPathsWindowsRefuses) {
  platform::map_drive(u'R', "/nonexistent-zozed-drive", DRIVE_CDROM);
  platform::map_share(u"\\\\server\\photos", root_.path());
  const std::u16string long_name(300, u'a');
  struct Row { int line; std::u16string windows; DWORD error; };
  const Row rows[] = {
      {__LINE__, u"C:\\Photos\\a<b.txt", ERROR_INVALID_NAME},  {__LINE__, u"C:\\Photos\\a|b", ERROR_INVALID_NAME},
      {__LINE__, u"C:\\Pho\"tos\\x", ERROR_INVALID_NAME},
      {__LINE__, u"C:\\Photos\\what?.jpg", ERROR_INVALID_NAME},
      {__LINE__, u"C:\\Photos\\*.jpg", ERROR_INVALID_NAME},    {__LINE__, u"C:\\Photos\\a:b", ERROR_INVALID_NAME},
      {__LINE__, std::u16string(u"C:\\Photos\\tab\there"), ERROR_INVALID_NAME},
      {__LINE__, u"Q:\\anything", ERROR_PATH_NOT_FOUND},                // no such drive
      {__LINE__, u"R:\\disc", ERROR_NOT_READY},                         // a drive without its medium
      {__LINE__, u"\\\\otherserver\\photos\\x", ERROR_BAD_NETPATH},
      {__LINE__, u"\\\\server", ERROR_INVALID_NAME},                    // a server is no folder
      {__LINE__, u"C:\\" + long_name, ERROR_PATH_NOT_FOUND},            // longer than MAX_PATH
      {__LINE__, u"", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& row : rows) {
    DWORD error = 0;
    EXPECT_FALSE(platform::posix_path_of(row.windows, &error).has_value()) << "line " << row.line;
    EXPECT_EQ(error, row.error) << "line " << row.line;
  }
}

TEST_F(PathResolution, MaxPathCountsTheWholePathWithoutItsTerminator) {
  // "C:\" + name: 259 characters fit in MAX_PATH with the terminator, 260 do not.
  const std::u16string fits = u"C:\\" + std::u16string(256, u'f');
  const std::u16string too_long = fits + u"g";
  EXPECT_TRUE(platform::posix_path_of(fits).has_value());
  EXPECT_FALSE(platform::posix_path_of(too_long).has_value());
  EXPECT_TRUE(platform::posix_path_of(u"\\\\?\\" + too_long).has_value()) << "the long form has no such limit";
}

TEST_F(PathResolution, SharesAndReverseMappingUseTheLongestFolder) {
  platform::map_share(u"//Server/Photos", posix("Photos"));
  platform::map_drive(u'D', posix("Photos/Summer"), DRIVE_REMOVABLE);
  EXPECT_EQ(platform::posix_path_of(u"\\\\SERVER\\photos\\summer\\beach.jpg"), posix("Photos/Summer/Beach.JPG"));

  struct Row { int line; std::string posix; std::u16string windows; };
  const Row rows[] = {
      {__LINE__, posix("Photos/Summer/Beach.JPG"), u"D:\\Beach.JPG"},
      {__LINE__, posix("Photos/Summer"), u"D:\\"},
      {__LINE__, posix("Photos/readme.txt"), u"\\\\Server\\Photos\\readme.txt"},
      {__LINE__, posix("both//./name.txt"), u"C:\\both\\name.txt"},
      {__LINE__, "/usr/lib", u"Z:\\usr\\lib"},                 {__LINE__, "relative/path", u""},
  };
  for (const auto& row : rows) EXPECT_EQ(platform::windows_path_of(row.posix), row.windows) << "line " << row.line;

  platform::unmap_drive(u'Z');
  EXPECT_EQ(platform::windows_path_of("/usr/lib"), u"") << "no drive holds it";
}

TEST_F(PathResolution, RelativeAndRootedPathsStartFromTheCurrentFolder) {
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
  ASSERT_EQ(chdir(posix("Photos").c_str()), 0);
  EXPECT_EQ(platform::posix_path_of(u"summer\\beach.jpg"), posix("Photos/Summer/Beach.JPG"));
  EXPECT_EQ(platform::posix_path_of(u"..\\BOTH\\name.txt"), posix("both/name.txt"));
  EXPECT_EQ(platform::posix_path_of(u"\\both"), posix("both")) << "rooted on the current drive";
  EXPECT_EQ(platform::posix_path_of(u"C:readme.txt"), posix("Photos/readme.txt"))
      << "the current drive's own folder";
  EXPECT_EQ(GetDriveTypeW(nullptr), static_cast<UINT>(DRIVE_FIXED));
  ASSERT_EQ(chdir(previous), 0);
}

TEST_F(DriveTest, DriveTypesComeFromTheTablesForRootsOnly) {
  platform::map_drive(u'D', root_.path(), DRIVE_CDROM);
  platform::map_drive(u'e', root_.path(), DRIVE_REMOVABLE);
  platform::map_share(u"\\\\nas\\Photos", root_.path());
  struct Row { int line; const char* root; UINT type; };
  const Row rows[] = {
      {__LINE__, "c:", DRIVE_FIXED},          {__LINE__, "C:/", DRIVE_FIXED},
      {__LINE__, "D:\\", DRIVE_CDROM},        {__LINE__, "E:\\", DRIVE_REMOVABLE},
      {__LINE__, "Z:\\", DRIVE_FIXED},        {__LINE__, "Q:\\", DRIVE_NO_ROOT_DIR},
      {__LINE__, "C:\\folder\\", DRIVE_NO_ROOT_DIR},
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
  EXPECT_EQ(GetTempPathW(15, buffer), 14u) << "exactly room enough";
}

TEST_F(DriveTest, TempPathDefaultsToAFolderOfTheUsersOwnInTmpdir) {
  WCHAR buffer[MAX_PATH];
  DWORD length = 0;
  {
    platform_test::ScopedEnv tmpdir("TMPDIR", root_.path() + "/");
    length = GetTempPathW(MAX_PATH, buffer);
  }
  const std::string name = "zozed-" + std::to_string(getuid());
  EXPECT_EQ(std::u16string(buffer, length), u"C:\\" + platform::from_utf8(name) + u"\\");
  struct stat st {};
  ASSERT_EQ(stat(posix(name).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u) << "private to the user";
}

}  // namespace
