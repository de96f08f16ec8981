#include <gtest/gtest.h>

#include "host/item_tray.h"
#include "platform/ui_driver.h"
#include "tests/zozed/email_panes/done_pane_fixture.h"

namespace {

using namespace done_pane_test;

bool focus_in(HWND control) { return GetFocus() == control || IsChild(control, GetFocus()); }

TEST_F(DonePaneTest, OpensWithItsTextsThenShowsTheItemsAndTheStep) {
  ASSERT_TRUE(show());
  EXPECT_EQ(text(pane(), 1384), host_string(62251));
  EXPECT_EQ(text(pane(), 11111) + text(pane(), 11113) + text(pane(), 11114),
            host_string(62471) + host_string(62472) + host_string(62473));
  EXPECT_EQ(property(pane(), 11113, host::kSkinDefaultButton).as_bool(), true);
  EXPECT_EQ(property(pane(), 11114, host::kSkinState).as_long(), host::kButtonNotAvailable);
  EXPECT_TRUE(focus_in(GetDlgItem(pane(), 11113)));
  EXPECT_EQ(platform::get_property(state().item_tray.get(), host::kTrayCaption).as_bstr(), host_string(61812));

  EXPECT_EQ(send(host::kItemsAndStep, items(), Variant(LONG{4})), 1);
  EXPECT_EQ(property(pane(), 104, host::kTrayCount).as_long(), 2);
  EXPECT_EQ(text(pane(), 1384, host::kSkinImage), u"BulletButton4");
  EXPECT_TRUE(focus_in(GetDlgItem(pane(), 11112)));
}

TEST_F(DonePaneTest, SendOutcomeCompletesTheHeadingAndOffersTheFolderOnlyForSavedItems) {
  struct Row {
    int line;
    SHORT value;
    LONG detail;
    int dialogs;
  };
  const Row rows[] = {{__LINE__, 0, 62284, 0}, {__LINE__, -1, 62285, 1}, {__LINE__, 1, 62285, 0}, {__LINE__, -2, 62285, 0}};
  ASSERT_TRUE(show());
  for (const Row& row : rows) {
    int dialogs = 0;
    platform::ui::ScopedDriver driver([&](HWND waiting) {
      if (!waiting) return;
      ++dialogs;
      EXPECT_TRUE(platform::ui::click(clickable(waiting, 1186))) << "row at line " << row.line;
    });
    EXPECT_EQ(send(host::kSendOutcome, Variant(row.value), Variant(std::u16string_view(u"Z:\\tmp"))), 1);
    EXPECT_EQ(text(pane(), 1384), host_string(62251) + host_string(row.detail)) << "row at line " << row.line;
    EXPECT_EQ(dialogs, row.dialogs) << "row at line " << row.line;
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
      {__LINE__, true, 11111, host::kPaneStackBack, {}},
      {__LINE__, false, 11113, host::kPaneStackEnd, {u"true"}},
      {__LINE__, true, 11113, host::kPaneStackReturnToCaller, {}},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(show()) << "row at line " << row.line;
    if (row.return_to_caller) send(host::kReturnToCaller);
    send(host::kItemsAndStep, items(), Variant(LONG{2}));
    const std::size_t before = state().pane_operations.size();
    ASSERT_TRUE(platform::ui::click(clickable(pane(), row.button))) << "row at line " << row.line;
    pump();
    ASSERT_EQ(state().pane_operations.size(), before + 1) << "row at line " << row.line;
    EXPECT_EQ(state().pane_operations.back().id, row.operation) << "row at line " << row.line;
    EXPECT_EQ(state().pane_operations.back().arguments, row.arguments) << "row at line " << row.line;
  }
}

}  // namespace
