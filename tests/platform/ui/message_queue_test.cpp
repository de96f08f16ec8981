#include "tests/platform/ui/ui_test_support.h"

using namespace ui_test;

namespace {

class MessageQueue : public UiTest {};

bool is_input(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL) || (message >= WM_KEYDOWN && message <= 0x0108) ||
         (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK);
}

TEST_F(MessageQueue, LongWorkRepaintsThenDiscardsInputAndDispatchesTheRest) {
  HWND top = create(WS_OVERLAPPED | WS_VISIBLE);
  HWND child = create(WS_CHILD | WS_VISIBLE, top, 5, RECT{0, 0, 50, 50});
  const UINT private_message = WM_APP + 0x73;
  PostMessageW(top, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  PostMessageW(top, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(top, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  PostMessageW(top, private_message, 9, 0);
  PostMessageW(child, WM_MOUSEWHEEL, 0, 0);
  PostMessageW(top, WM_COMMAND, IDOK, 0);
  message_log().clear();

  // Repaint: erase-background messages first, then paint, until none is left.
  MSG msg;
  int repaints = 0;
  for (;;) {
    if (PeekMessageW(&msg, nullptr, WM_ERASEBKGND, WM_ERASEBKGND, PM_REMOVE) ||
        PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
      DispatchMessageW(&msg);
      ASSERT_LT(++repaints, 10) << "painting must validate the windows";
      continue;
    }
    break;
  }
  EXPECT_EQ(repaints, 2) << "the shown parent and child each paint once";
  EXPECT_EQ(messages_of(top, {WM_ERASEBKGND}).size(), 1u) << "BeginPaint erases the invalidated background";
  EXPECT_EQ(platform::ui::drawing_of(top).size(), 1u) << "the class brush filled the background";

  // Drain: input is removed and dropped, everything else dispatched untouched.
  std::vector<UINT> dropped;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (is_input(msg.message)) {
      dropped.push_back(msg.message);
      continue;
    }
    DispatchMessageW(&msg);
  }
  const std::vector<UINT> expected_dropped = {WM_LBUTTONDOWN, WM_KEYDOWN, WM_NCLBUTTONDOWN, WM_MOUSEWHEEL};
  EXPECT_EQ(dropped, expected_dropped);
  ASSERT_EQ(messages_of(top, {private_message, WM_COMMAND}), (std::vector<UINT>{private_message, WM_COMMAND}));
  for (const Logged& entry : message_log()) {
    if (entry.message == private_message) {
      EXPECT_EQ(entry.wparam, 9u);
    }
  }
  EXPECT_TRUE(messages_of(top, {WM_LBUTTONDOWN, WM_KEYDOWN}).empty());
  DestroyWindow(top);
}

TEST_F(MessageQueue, PeekFiltersByRangeWindowAndRemoval) {
  HWND a = create(WS_OVERLAPPED);
  HWND b = create(WS_OVERLAPPED);
  PostMessageW(a, WM_USER + 1, 0, 0);
  PostMessageW(b, WM_USER + 2, 0, 0);
  PostMessageW(nullptr, WM_USER + 3, 0, 0);
  MSG msg;
  struct Row {
    int line;
    HWND filter;
    UINT min, max, remove;
    bool found;
    UINT message;
  };
  const Row rows[] = {
      {__LINE__, b, 0, 0, PM_NOREMOVE, true, WM_USER + 2},
      {__LINE__, nullptr, WM_USER + 2, WM_USER + 3, PM_NOREMOVE, true, WM_USER + 2},
      {__LINE__, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE, true, WM_USER + 3},  // thread messages only
      {__LINE__, a, WM_USER + 2, WM_USER + 9, PM_NOREMOVE, false, 0},
      {__LINE__, nullptr, 0, 0, PM_REMOVE, true, WM_USER + 1},
      {__LINE__, nullptr, 0, 0, PM_REMOVE, true, WM_USER + 2},
      {__LINE__, nullptr, 0, 0, PM_REMOVE, true, WM_USER + 3},
      {__LINE__, nullptr, 0, 0, PM_REMOVE, false, 0},
  };
  for (const Row& row : rows) {
    const BOOL found = PeekMessageW(&msg, row.filter, row.min, row.max, row.remove);
    EXPECT_EQ(found != FALSE, row.found) << "line " << row.line;
    if (found) {
      EXPECT_EQ(msg.message, row.message) << "line " << row.line;
    }
  }
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(MessageQueue, GetMessageWithNothingToWaitForFailsInsteadOfHanging) {
  MSG msg;
  SetLastError(0);
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_POSSIBLE_DEADLOCK));
  EXPECT_NE(platform::ui::last_wait_failure().find("GetMessageW"), std::string::npos);
}

TEST_F(MessageQueue, QuitEndsGetMessageAfterThePostedMessages) {
  HWND window = create(WS_OVERLAPPED);
  PostMessageW(window, WM_USER, 0, 0);
  PostQuitMessage(3);
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  DestroyWindow(window);
}

TEST_F(MessageQueue, TranslateMessageQueuesTheCharacterBeforeTheKeyRelease) {
  HWND window = create(WS_OVERLAPPED);
  PostMessageW(window, WM_KEYDOWN, 'A', 1);
  PostMessageW(window, WM_KEYUP, 'A', 0);
  MSG msg;
  std::vector<UINT> order;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    order.push_back(msg.message);
    if (msg.message == WM_CHAR) {
      EXPECT_EQ(msg.wParam, static_cast<WPARAM>(u'a'));
    }
    TranslateMessage(&msg);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
  DestroyWindow(window);
}

TEST_F(MessageQueue, RedrawWindowIsRecordedAndPaintsWhenAsked) {
  HWND window = create(WS_OVERLAPPED | WS_VISIBLE);
  UpdateWindow(window);
  message_log().clear();
  const UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME;
  ASSERT_TRUE(RedrawWindow(window, nullptr, nullptr, flags));
  EXPECT_EQ(platform::ui::redraw_requests(window), std::vector<UINT>{flags});
  EXPECT_TRUE(messages_of(window, {WM_PAINT}).empty()) << "only RDW_UPDATENOW paints at once";
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
  EXPECT_EQ(messages_of(window, {WM_ERASEBKGND, WM_PAINT}), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) << "painting validated the window";
  DestroyWindow(window);
}

}  // namespace
