// The shell as the module uses it: special folders, and explorer command lines started in the
// desktop's file browser.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/command_start.h"
#include "platform/shlobj.h"
#include "platform/winbase.h"
#include "tests/platform/files/files_test_support.h"
#include "tests/platform/platform_test_support.h"

namespace {

using files_test::DriveTest;
using files_test::write_text;

// A home of its own with an XDG configuration; drive C: is the home.
class ShellFolders : public files_test::DriveTest {
 protected:
  ShellFolders() : home_("HOME", root_.path()), config_("XDG_CONFIG_HOME", root_ / "config") {
    make_folder("config");
  }
  std::u16string folder(int csidl, HRESULT expected = S_OK) {
    WCHAR path[MAX_PATH];
    path[0] = u'?';
    EXPECT_EQ(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), expected) << "CSIDL " << csidl;
    return path;
  }
  platform_test::ScopedEnv home_;
  platform_test::ScopedEnv config_;
};

TEST_F(ShellFolders, MyPicturesIsTheXdgPicturesFolderAsAWindowsPath) {
  write_text(posix("config/user-dirs.dirs"),
             "# written by xdg-user-dirs-update\n"
             "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
             "XDG_PICTURES_DIR=\"$HOME/Bilder und Fotos\"\n"
             "XDG_DOCUMENTS_DIR=\"" + root_.path() + "/Papers\"\n");
  make_folder("Bilder und Fotos");
  make_folder("Papers");
  EXPECT_EQ(folder(CSIDL_MYPICTURES), u"C:\\Bilder und Fotos");
  EXPECT_EQ(folder(CSIDL_PERSONAL), u"C:\\Papers");
  EXPECT_EQ(folder(CSIDL_APPDATA), u"C:\\config");
}

TEST_F(ShellFolders, FallsBackToPicturesInTheHomeAndCreatesItOnlyWhenAsked) {
  EXPECT_EQ(folder(CSIDL_MYPICTURES, E_FAIL), u"") << "missing, and the path is cleared";
  EXPECT_FALSE(files_test::exists(posix("Pictures")));
  EXPECT_EQ(folder(CSIDL_MYPICTURES | CSIDL_FLAG_DONT_VERIFY), u"C:\\Pictures");
  EXPECT_EQ(folder(CSIDL_MYPICTURES | CSIDL_FLAG_CREATE), u"C:\\Pictures");
  EXPECT_TRUE(files_test::exists(posix("Pictures")));
  EXPECT_EQ(folder(CSIDL_MYPICTURES), u"C:\\Pictures");
}

TEST_F(ShellFolders, TheMachineProfileNamesThePicturesFolder) {
  make_folder("Shared/Photos");
  platform::set_pictures_folder(posix("Shared/Photos"));
  EXPECT_EQ(folder(CSIDL_MYPICTURES), u"C:\\Shared\\Photos");
}

TEST_F(ShellFolders, RefusesUnknownFoldersAndFoldersOnNoDrive) {
  folder(0x7f, E_INVALIDARG);
  WCHAR path[MAX_PATH];
  EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 7, path), E_INVALIDARG);
  make_folder("Pictures");
  platform::unmap_drive(u'C');
  platform::unmap_drive(u'Z');
  folder(CSIDL_MYPICTURES, E_FAIL);
}

class CommandStart : public DriveTest {
 protected:
  CommandStart() : recorder_([this](const platform::StartedCommand& c) { started_.push_back(c); }) {
    make_folder("Pictures/For Email");
    make_file("Pictures/For Email/a.jpg");
  }
  std::vector<platform::StartedCommand> started_;
  platform::ScopedCommandRecorder recorder_;
};

TEST_F(CommandStart, ExplorerOpensTheFolderInTheDesktopsBrowser) {
  struct Row {
    int line;
    std::u16string command_line;
    std::string opened;  // relative to the drive's folder
  };
  const Row rows[] = {
      {__LINE__, u"explorer /n,\"C:\\pictures\\for email\"", "Pictures/For Email"},
      {__LINE__, u"EXPLORER.EXE /n,/e,\"C:\\Pictures\\For Email\\\"", "Pictures/For Email"},
      {__LINE__, u"explorer /select,\"C:\\Pictures\\For Email\\A.JPG\"", "Pictures/For Email"},
      {__LINE__, u"explorer C:\\Pictures", "Pictures"},
      {__LINE__, u"\"C:\\Windows\\explorer.exe\" /n, \"C:\\Pictures\"", "Pictures"},
  };
  for (const auto& row : rows) {
    started_.clear();
    EXPECT_EQ(platform::start_command_line(row.command_line), static_cast<DWORD>(ERROR_SUCCESS)) << "line " << row.line;
    ASSERT_EQ(started_.size(), 1u) << "line " << row.line;
    EXPECT_EQ(started_[0].command_line, row.command_line) << "line " << row.line;
    EXPECT_EQ(started_[0].argv, (std::vector<std::string>{"xdg-open", posix(row.opened)})) << "line " << row.line;
  }
}

TEST_F(CommandStart, WinExecTakesTheAnsiCommandLineAsTheModuleFormatsIt) {
  ASSERT_TRUE(platform::set_ansi_code_page(1252));
  make_folder("Pictures/Caf\xc3\xa9");
  char command_line[1024];
  std::snprintf(command_line, sizeof(command_line), "explorer /n,\"%s\"", "C:\\Pictures\\Caf\xe9");
  EXPECT_GT(WinExec(command_line, 5), 31u);
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0].argv.back(), posix("Pictures/Caf\xc3\xa9"));
}

TEST_F(CommandStart, UnknownProgramsAndPathsStartNothing) {
  EXPECT_EQ(platform::start_command_line(u"notepad C:\\Pictures\\x.txt"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(platform::start_command_line(u"explorer /n,\"C:\\No Such Folder\""),
            static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(WinExec("explorer /n,\"Q:\\elsewhere\"", 5), static_cast<UINT>(ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(started_.empty());
}

TEST_F(CommandStart, WithoutARecorderAMissingBrowserIsReported) {
  platform::ScopedCommandRecorder none{nullptr};
  platform_test::ScopedEnv path("PATH", root_.path());  // a PATH without xdg-open
  EXPECT_EQ(platform::start_command_line(u"explorer C:\\Pictures"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(started_.empty());
}


TEST_F(CommandStart, StartsTheBrowserDetachedWithoutWaitingForIt) {
  platform::ScopedCommandRecorder none{nullptr};
  // A stand-in browser that waits for the test's go-ahead (for five seconds at most), then notes
  // what it was asked to open.
  const std::string go = posix("go"), opened_file = posix("opened.txt");
  const std::string script = posix("bin/xdg-open");
  make_folder("bin");
  files_test::write_text(script, "#!/bin/sh\nn=0\nwhile [ ! -e '" + go + "' ] && [ $n -lt 100 ]; do sleep 0.05; n=$((n+1)); done\n"
                                 "printf '%s' \"$1\" > '" + opened_file + ".part'\nmv '" + opened_file + ".part' '" +
                                 opened_file + "'\n");
  ::chmod(script.c_str(), 0755);
  const char* path = std::getenv("PATH");
  DWORD result;
  {
    platform_test::ScopedEnv with_bin("PATH", posix("bin") + ":" + (path ? path : ""));
    result = platform::start_command_line(u"explorer /n,\"C:\\Pictures\"");
  }
  ASSERT_EQ(result, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(files_test::exists(opened_file)) << "returned while the browser still runs";
  files_test::write_text(go, "");
  std::optional<std::string> opened;
  for (int k = 0; k < 200 && !(opened = files_test::read_text(opened_file)); ++k)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(opened, posix("Pictures"));
}

}  // namespace
