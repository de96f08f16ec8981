#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/command_start.h"
#include "platform/path_mapping.h"
#include "platform/ui_driver.h"
#include "platform/winbase.h"
#include "platform/winnls.h"
#include "tests/zozed/email_panes/done_pane_fixture.h"

namespace {

using namespace done_pane_test;
using Action = std::function<void(HWND dialog)>;

std::u16string window_text(HWND window) {
  WCHAR buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return buffer;
}

Action click(int id) {
  return [id](HWND dialog) { EXPECT_TRUE(platform::ui::click(clickable(dialog, id))) << "control " << id; };
}

void put_clipboard_text(HWND owner, std::u16string_view text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  const SIZE_T bytes = (text.size() + 1) * sizeof(WCHAR);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  std::copy(text.begin(), text.end(), static_cast<WCHAR*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  EXPECT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
  CloseClipboard();
}

std::optional<std::u16string> clipboard_text() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::u16string> text;
  if (auto memory = static_cast<HGLOBAL>(GetClipboardData(CF_UNICODETEXT))) {
    text = std::u16string(static_cast<const WCHAR*>(GlobalLock(memory)));
    GlobalUnlock(memory);
  }
  CloseClipboard();
  return text;
}

// A saved-for-later outcome with the folder dialog played by `actions`, one per idle turn.
class FolderDialogTest : public DonePaneTest {
 protected:
  void SetUp() override {
    DonePaneTest::SetUp();
    char pattern[] = "/tmp/zozed-done-pane-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    ASSERT_TRUE(show());
  }
  void TearDown() override {
    std::filesystem::remove_all(root_);
    platform::ui::reset_clipboard();
    DonePaneTest::TearDown();
  }

  // A folder below the test's own, made on disk; its Windows path.
  std::u16string folder(std::u16string_view leaf) {
    const std::string posix = root_ + "/" + platform::narrow(leaf, CP_UTF8);
    EXPECT_EQ(mkdir(posix.c_str(), 0700), 0);
    return platform::windows_path_of(posix);
  }

  // Runs the outcome; answers how many of `actions` ran before the dialog closed.
  std::size_t saved_for_later(std::u16string_view path, std::vector<Action> actions) {
    std::size_t step = 0;
    platform::ui::ScopedDriver driver([&](HWND waiting) {
      if (waiting && step < actions.size()) actions[step++](waiting);
    });
    send(host::kSendOutcome, outcome(-1), Variant(path));
    return step;
  }

  std::string root_;
};

TEST_F(FolderDialogTest, ShowsTheFolderUnderItsTitleOverTheActiveWindow) {
  const std::u16string path = folder(u"Dec-04-2026");
  HWND active = GetActiveWindow();
  HWND owner = nullptr;
  const auto read = [&](HWND dialog) {
    EXPECT_EQ(text(dialog, 1182), host_string(61690));
    EXPECT_EQ(text(dialog, 1181), host_string(61713) + u"\r\n\r\n" + path);
    EXPECT_EQ(window_text(dialog), host_string(61887));
    owner = GetWindow(dialog, GW_OWNER);
    EXPECT_TRUE(platform::ui::click(clickable(dialog, 1186)));
  };
  EXPECT_EQ(saved_for_later(path, {read}), 1u);
  EXPECT_EQ(owner, active);
}

TEST_F(FolderDialogTest, OpensTheFolderInTheBrowserByItsAnsiPathInQuotes) {
  struct Row {
    int line;
    std::u16string_view leaf;
    bool started;  // a name outside the ANSI code page names no folder there
  };
  const Row rows[] = {
      {__LINE__, u"Saved for later sending", true},
      {__LINE__, u"Fotos d\u00e9cembre", true},
      {__LINE__, u"\u0424\u043e\u0442\u043e", false},
  };
  for (const Row& row : rows) {
    const std::u16string path = folder(row.leaf);
    std::vector<platform::StartedCommand> started;
    platform::ScopedCommandRecorder recorder([&](const platform::StartedCommand& command) { started.push_back(command); });
    EXPECT_EQ(saved_for_later(path, {click(1183), click(1186)}), 2u) << "row at line " << row.line;
    ASSERT_EQ(started.size(), row.started ? 1u : 0u) << "row at line " << row.line;
    if (row.started) {
      EXPECT_EQ(started[0].command_line, u"explorer /n,\"" + path + u"\"") << "row at line " << row.line;
    }
  }
}

TEST_F(FolderDialogTest, CopiesThePathAsUnicodeTextAndIgnoresARefusingClipboard) {
  using platform::ui::ClipboardCall;
  const std::u16string path = folder(u"Saved \u00e9 later");
  struct Row {
    int line;
    std::optional<ClipboardCall> refused;
    std::optional<std::u16string> after;
  };
  const Row rows[] = {
      {__LINE__, std::nullopt, path},
      {__LINE__, ClipboardCall::open, u"before"},
      {__LINE__, ClipboardCall::set_data, std::nullopt},
  };
  for (const Row& row : rows) {
    platform::ui::reset_clipboard();
    put_clipboard_text(pane(), u"before");
    if (row.refused) platform::ui::fail_clipboard(*row.refused, ERROR_ACCESS_DENIED);
    EXPECT_EQ(saved_for_later(path, {click(1184), click(1186)}), 2u) << "row at line " << row.line;
    EXPECT_EQ(clipboard_text(), row.after) << "row at line " << row.line;
  }
}

}  // namespace
