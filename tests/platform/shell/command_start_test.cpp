#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/command_start.h"
#include "platform/winbase.h"
#include "tests/platform/files/files_test_support.h"

namespace {

using files_test::DriveTest;

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
  const char* path = std::getenv("PATH");
  const std::string saved = path ? path : "";
  setenv("PATH", root_.path().c_str(), 1);  // a PATH without xdg-open
  const DWORD result = platform::start_command_line(u"explorer C:\\Pictures");
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(result, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(started_.empty());
}

}  // namespace

namespace {

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
  const std::string saved = path ? path : "";
  setenv("PATH", (posix("bin") + ":" + saved).c_str(), 1);
  const DWORD result = platform::start_command_line(u"explorer /n,\"C:\\Pictures\"");
  setenv("PATH", saved.c_str(), 1);
  ASSERT_EQ(result, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(files_test::exists(opened_file)) << "returned while the browser still runs";
  files_test::write_text(go, "");
  std::optional<std::string> opened;
  for (int k = 0; k < 200 && !(opened = files_test::read_text(opened_file)); ++k)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(opened, posix("Pictures"));
}

}  // namespace
