// The e-mail finished pane as the suite's pane stack shows it, with two counting objects as its
// items: its texts, the outcome heading, Back and Done by how the task began, and the dialog
// for a folder saved for later, which opens the folder in the file browser or copies its path.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "platform/command_start.h"
#include "platform/path_mapping.h"
#include "platform/winbase.h"
#include "platform/winnls.h"
#include "tests/fakes/counting_unknown.h"
#include "tests/zozed/email_panes/email_pane_fixture.h"

namespace email_pane_test {
namespace {

bool focus_in(HWND control) { return GetFocus() == control || IsChild(control, GetFocus()); }

class DonePaneTest : public EmailPaneTest {
 protected:
  void SetUp() override {
    EmailPaneTest::SetUp();
    start();
    show(kEmailDonePane, host_string(62228));
    ASSERT_TRUE(shown(kEmailDonePane) && state().panes.back().hosted);
  }
  void TearDown() override {
    EmailPaneTest::TearDown();
    for (const auto& item : items_) EXPECT_EQ(item.refs(), 1u) << "the pane let go of its items";
  }

  Variant items() {
    auto array = platform::SafeArray::create_vector(VT_UNKNOWN, 0, 2);
    for (LONG i = 0; i < 2; ++i) EXPECT_EQ(array.put_element(i, items_[i].unknown()), S_OK);
    return Variant(std::move(array));
  }

  fakes::CountingUnknown items_[2];
};

TEST_F(DonePaneTest, OpensWithItsTextsThenShowsTheItemsAndTheStep) {
  EXPECT_EQ(control(1384).text(), host_string(62251));
  EXPECT_EQ(control(11111).text() + control(11113).text() + control(11114).text(),
            host_string(62471) + host_string(62472) + host_string(62473));
  EXPECT_EQ(control(11113).get(host::kSkinDefaultButton).as_bool(), true);
  EXPECT_EQ(control(11114).state(), host::kButtonNotAvailable);
  EXPECT_TRUE(focus_in(GetDlgItem(pane(), 11113)));
  EXPECT_EQ(platform::get_property(state().item_tray.get(), host::kTrayCaption).as_bstr(), host_string(61812));

  EXPECT_EQ(send(host::kItemsAndStep, items(), Variant(LONG{4})), 1);
  EXPECT_EQ(control(104).get(host::kTrayCount).as_long(), 2);
  EXPECT_EQ(control(1384).text(host::kSkinImage), u"BulletButton4");
  EXPECT_TRUE(focus_in(GetDlgItem(pane(), 11112)));
}

TEST_F(DonePaneTest, SendOutcomeCompletesTheHeadingAndOffersTheFolderOnlyForSavedItems) {
  struct Row {
    int line;
    SHORT value;
    LONG detail;
    int dialogs;
  };
  const Row rows[] = {{__LINE__, 0, 62284, 0}, {__LINE__, -1, 62285, 1}, {__LINE__, -2, 62285, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    int dialogs = 0;
    platform::ui::ScopedDriver driver([&](HWND waiting) {
      if (!waiting) return;
      ++dialogs;
      EXPECT_TRUE(control_of(waiting, 1186).click());
    });
    EXPECT_EQ(send(host::kSendOutcome, Variant(row.value), Variant(std::u16string_view(u"Z:\\tmp"))), 1);
    EXPECT_EQ(control(1384).text(), host_string(62251) + host_string(row.detail));
    EXPECT_EQ(dialogs, row.dialogs);
  }
}

TEST_F(DonePaneTest, BackStepsBackAndDoneLeavesTheWayTheTaskWasStarted) {
  struct Row {
    int line;
    bool return_to_caller;
    int button;
    DISPID operation;
    std::vector<std::u16string> arguments;
  };
  const Row rows[] = {
      {__LINE__, false, 11111, host::kPaneStackBack, {}},
      {__LINE__, false, 11113, host::kPaneStackEnd, {u"true"}},
      {__LINE__, true, 11113, host::kPaneStackReturnToCaller, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    show(kEmailDonePane);
    if (row.return_to_caller) send(host::kReturnToCaller);
    send(host::kItemsAndStep, items(), Variant(LONG{2}));
    const std::size_t before = state().pane_operations.size();
    click(row.button);
    ASSERT_EQ(state().pane_operations.size(), before + 1);
    EXPECT_EQ(state().pane_operations.back().id, row.operation);
    EXPECT_EQ(state().pane_operations.back().arguments, row.arguments);
  }
}

using Action = std::function<void(HWND dialog)>;

Action click_on(int id) {
  return [id](HWND dialog) { EXPECT_TRUE(control_of(dialog, id).click()) << "control " << id; };
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
    SCOPED_TRACE(row.line);
    const std::u16string path = folder(row.leaf);
    const Action read = [&](HWND dialog) {
      EXPECT_EQ(control_of(dialog, 1182).text(), host_string(61690));
      EXPECT_EQ(control_of(dialog, 1181).text(), host_string(61713) + u"\r\n\r\n" + path);
      WCHAR title[64] = {};
      GetWindowTextW(dialog, title, 64);
      EXPECT_EQ(title, host_string(61887));
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), active);
      EXPECT_EQ(control_of(dialog, 1183).text(), u"Show folder") << "the host's own button text";
      click_on(1183)(dialog);
    };
    std::vector<std::u16string> started;
    platform::ScopedCommandRecorder recorder([&](const platform::StartedCommand& c) { started.push_back(c.command_line); });
    EXPECT_EQ(saved_for_later(path, {read, click_on(1186)}), 2u);
    EXPECT_EQ(started, row.started ? std::vector{u"explorer /n,\"" + path + u"\""} : std::vector<std::u16string>{});
  }
}

TEST_F(FolderDialogTest, CopiesThePathAsUnicodeTextAndGoesOnWhenTheClipboardRefuses) {
  using platform::ui::ClipboardCall;
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
    EXPECT_EQ(saved_for_later(path, {click_on(1184), click_on(1186)}), 2u) << "row at line " << row.line;
    EXPECT_EQ(clipboard_text(), row.after) << "row at line " << row.line;
  }
}

}  // namespace
}  // namespace email_pane_test
