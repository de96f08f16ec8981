#include <gtest/gtest.h>

#include <sys/stat.h>

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
using platform::ui::ClipboardCall;
using Action = std::function<void(HWND dialog)>;

Action click(int id) {
  return [id](HWND dialog) { EXPECT_TRUE(platform::ui::click(clickable(dialog, id))) << "control " << id; };
}

std::u16string clipboard_text() {
  std::u16string text = u"<none>";
  if (!OpenClipboard(nullptr)) return text;
  if (auto memory = static_cast<HGLOBAL>(GetClipboardData(CF_UNICODETEXT))) {
    text = static_cast<const WCHAR*>(GlobalLock(memory));
    GlobalUnlock(memory);
  }
  CloseClipboard();
  return text;
}

// A saved-for-later outcome for a folder of the test's own, the dialog played by one action
// per idle turn.
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

  std::u16string folder(std::u16string_view leaf) {
    const std::string posix = root_ + "/" + platform::narrow(leaf, CP_UTF8);
    EXPECT_EQ(mkdir(posix.c_str(), 0700), 0);
    return platform::windows_path_of(posix);
  }

  // How many of `actions` ran before the dialog closed.
  std::size_t saved_for_later(std::u16string_view path, std::vector<Action> actions) {
    std::size_t step = 0;
    platform::ui::ScopedDriver driver([&](HWND waiting) {
      if (waiting && step < actions.size()) actions[step++](waiting);
    });
    send(host::kSendOutcome, Variant(SHORT{-1}), Variant(path));
    return step;
  }

  std::string root_;
};

TEST_F(FolderDialogTest, ShowsTheFolderAndOpensItInTheBrowserByItsAnsiPathInQuotes) {
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
  HWND active = GetActiveWindow();
  for (const Row& row : rows) {
    const std::u16string path = folder(row.leaf);
    const Action read = [&](HWND dialog) {
      EXPECT_EQ(text(dialog, 1182), host_string(61690)) << "row at line " << row.line;
      EXPECT_EQ(text(dialog, 1181), host_string(61713) + u"\r\n\r\n" + path) << "row at line " << row.line;
      WCHAR title[64] = {};
      GetWindowTextW(dialog, title, 64);
      EXPECT_EQ(title, host_string(61887)) << "row at line " << row.line;
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), active) << "row at line " << row.line;
      EXPECT_EQ(text(dialog, 1183), u"Show folder") << "the host's own button text, row at line " << row.line;
      click(1183)(dialog);
    };
    std::vector<std::u16string> started;
    platform::ScopedCommandRecorder recorder([&](const platform::StartedCommand& c) { started.push_back(c.command_line); });
    EXPECT_EQ(saved_for_later(path, {read, click(1186)}), 2u) << "row at line " << row.line;
    const auto expected = row.started ? std::vector{u"explorer /n,\"" + path + u"\""} : std::vector<std::u16string>{};
    EXPECT_EQ(started, expected) << "row at line " << row.line;
  }
}

TEST_F(FolderDialogTest, CopiesThePathAsUnicodeTextAndGoesOnWhenTheClipboardRefuses) {
  const std::u16string path = folder(u"Saved \u00e9 later");
  struct Row {
    int line;
    std::optional<ClipboardCall> refused;
    std::u16string after;
  };
  const Row rows[] = {{__LINE__, std::nullopt, path},
                      {__LINE__, ClipboardCall::open, u"<none>"},
                      {__LINE__, ClipboardCall::empty, path},
                      {__LINE__, ClipboardCall::set_data, u"<none>"}};
  for (const Row& row : rows) {
    platform::ui::reset_clipboard();
    if (row.refused) platform::ui::fail_clipboard(*row.refused, ERROR_ACCESS_DENIED);
    EXPECT_EQ(saved_for_later(path, {click(1184), click(1186)}), 2u) << "row at line " << row.line;
    EXPECT_EQ(clipboard_text(), row.after) << "row at line " << row.line;
  }
}

}  // namespace
