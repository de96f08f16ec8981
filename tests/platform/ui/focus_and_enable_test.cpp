#include "tests/platform/ui/ui_test_support.h"

using namespace ui_test;

namespace {

class FocusAndEnable : public UiTest {};

TEST_F(FocusAndEnable, FocusMovesWithKillAndSetFocusMessages) {
  HWND top = create(WS_OVERLAPPED | WS_VISIBLE);
  HWND a = create(WS_CHILD | WS_VISIBLE, top, 1);
  HWND b = create(WS_CHILD | WS_VISIBLE, top, 2);
  SetFocus(a);
  message_log().clear();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(messages_of(a, {WM_KILLFOCUS, WM_SETFOCUS}), std::vector<UINT>{WM_KILLFOCUS});
  EXPECT_EQ(messages_of(b, {WM_KILLFOCUS, WM_SETFOCUS}), std::vector<UINT>{WM_SETFOCUS});
  EXPECT_EQ(GetActiveWindow(), top);
  DestroyWindow(top);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(FocusAndEnable, DisabledWindowsTakeNoFocusAndLoseIt) {
  HWND top = create(WS_OVERLAPPED | WS_VISIBLE);
  HWND group = create(WS_CHILD | WS_VISIBLE, top, 1);
  HWND inner = create(WS_CHILD | WS_VISIBLE, group, 2);
  SetFocus(inner);
  message_log().clear();
  EXPECT_FALSE(EnableWindow(group, FALSE)) << "answers whether it was disabled before";
  EXPECT_EQ(GetFocus(), nullptr) << "a disabled window cannot keep the focus inside it";
  EXPECT_EQ(messages_of(group, {WM_ENABLE}), std::vector<UINT>{WM_ENABLE});
  EXPECT_FALSE(IsWindowEnabled(group));
  EXPECT_TRUE(IsWindowEnabled(inner)) << "its own flag is unchanged";
  EXPECT_EQ(SetFocus(inner), nullptr) << "an ancestor is disabled";
  EXPECT_FALSE(platform::ui::click(inner));
  EXPECT_TRUE(EnableWindow(group, TRUE));
  EXPECT_FALSE(EnableWindow(group, TRUE)) << "no change, no message";
  EXPECT_EQ(messages_of(group, {WM_ENABLE}).size(), 2u);
  EXPECT_TRUE(platform::ui::click(inner));
  DestroyWindow(top);
}

TEST_F(FocusAndEnable, HidingGivesTheFocusToTheParentAndShowingReportsThePreviousState) {
  HWND top = create(WS_OVERLAPPED | WS_VISIBLE);
  HWND child = create(WS_CHILD | WS_VISIBLE, top, 1);
  SetFocus(child);
  EXPECT_TRUE(ShowWindow(child, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(child));
  EXPECT_EQ(GetFocus(), top);
  EXPECT_FALSE(ShowWindow(child, SW_HIDE)) << "already hidden";
  EXPECT_FALSE(ShowWindow(child, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));
  ShowWindow(top, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(child)) << "visible only with its parent";
  EXPECT_TRUE(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE);
  DestroyWindow(top);
}

TEST_F(FocusAndEnable, SizingSendsWmSizeOnlyWhenTheClientSizeChanges) {
  HWND top = create(WS_OVERLAPPED | WS_VISIBLE);
  HWND child = create(WS_CHILD | WS_VISIBLE | WS_BORDER, top, 1, RECT{0, 0, 100, 50});
  message_log().clear();
  struct Row { int line; int x, y, cx, cy; std::vector<UINT> expected; };
  const Row rows[] = {
      {__LINE__, 0, 0, 100, 50, {}},  // nothing changed
      {__LINE__, 5, 0, 100, 50, {WM_MOVE}},
      {__LINE__, 5, 0, 120, 50, {WM_SIZE}},
      {__LINE__, 0, 10, 80, 40, {WM_MOVE, WM_SIZE}},
  };
  for (const Row& row : rows) {
    message_log().clear();
    ASSERT_TRUE(MoveWindow(child, row.x, row.y, row.cx, row.cy, TRUE)) << "line " << row.line;
    EXPECT_EQ(messages_of(child, {WM_MOVE, WM_SIZE}), row.expected) << "line " << row.line;
  }
  RECT client;
  GetClientRect(child, &client);
  EXPECT_EQ(client.right, 78) << "a one-pixel border on each side";
  EXPECT_EQ(client.bottom, 38);
  DestroyWindow(top);
}

}  // namespace
