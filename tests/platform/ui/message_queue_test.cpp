#include <gtest/gtest.h>

#include "tests/platform/platform_test_support.h"
#include "tests/platform/ui/ui_test_support.h"

using namespace ui_test;

namespace {

class MessageQueue : public UiTest {};

bool is_input(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL) || (message >= WM_KEYDOWN && message <= 0x0108) ||
         (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK);
}

// What the module does during long work: repaint, then drop the user's input and dispatch the rest.
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
  MSG msg;
  int repaints = 0;
  while (PeekMessageW(&msg, nullptr, WM_ERASEBKGND, WM_ERASEBKGND, PM_REMOVE) ||
         PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
    DispatchMessageW(&msg);
    ASSERT_LT(++repaints, 10) << "painting must validate the windows";
  }
  EXPECT_EQ(repaints, 2) << "the shown parent and child each paint once";
  EXPECT_EQ(messages_of(top, {WM_ERASEBKGND}).size(), 1u) << "BeginPaint erases the invalidated background";
  EXPECT_EQ(platform::ui::drawing_of(top).size(), 1u) << "the class brush filled the background";

  std::vector<UINT> dropped;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (is_input(msg.message)) {
      dropped.push_back(msg.message);
    } else {
      DispatchMessageW(&msg);
    }
  }
  EXPECT_EQ(dropped, (std::vector<UINT>{WM_LBUTTONDOWN, WM_KEYDOWN, WM_NCLBUTTONDOWN, WM_MOUSEWHEEL}));
  ASSERT_EQ(messages_of(top, {private_message, WM_COMMAND, WM_LBUTTONDOWN, WM_KEYDOWN}),
            (std::vector<UINT>{private_message, WM_COMMAND}));
  for (const Logged& entry : message_log())
    if (entry.message == private_message) {
      EXPECT_EQ(entry.wparam, 9u);
    }
  DestroyWindow(top);
}

TEST_F(MessageQueue, PeekFiltersByRangeWindowAndRemoval) {
  HWND a = create(WS_OVERLAPPED);
  HWND b = create(WS_OVERLAPPED);
  PostMessageW(a, WM_USER + 1, 0, 0);
  PostMessageW(b, WM_USER + 2, 0, 0);
  PostMessageW(nullptr, WM_USER + 3, 0, 0);
  struct Row { int line; HWND filter; UINT min, max, remove, message; };  // message 0: nothing found
  const Row rows[] = {
      {__LINE__, b, 0, 0, PM_NOREMOVE, WM_USER + 2},
      {__LINE__, nullptr, WM_USER + 2, WM_USER + 3, PM_NOREMOVE, WM_USER + 2},
      {__LINE__, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE, WM_USER + 3},  // thread messages only
      {__LINE__, a, WM_USER + 2, WM_USER + 9, PM_NOREMOVE, 0}, {__LINE__, nullptr, 0, 0, PM_REMOVE, WM_USER + 1},
      {__LINE__, nullptr, 0, 0, PM_REMOVE, WM_USER + 2},       {__LINE__, nullptr, 0, 0, PM_REMOVE, WM_USER + 3},
      {__LINE__, nullptr, 0, 0, PM_REMOVE, 0},
  };
  for (const Row& row : rows) {
    MSG msg{};
    const BOOL found = PeekMessageW(&msg, row.filter, row.min, row.max, row.remove);
    EXPECT_EQ(found ? msg.message : 0u, row.message) << "line " << row.line;
  }
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(MessageQueue, GetMessageEndsAtQuitAndFailsInsteadOfHangingWithNothingToWaitFor) {
  HWND window = create(WS_OVERLAPPED);
  PostMessageW(window, WM_USER, 0, 0);
  PostQuitMessage(3);
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FAILS_WITH(GetMessageW(&msg, nullptr, 0, 0), -1, ERROR_POSSIBLE_DEADLOCK);
  EXPECT_NE(platform::ui::last_wait_failure().find("GetMessageW"), std::string::npos);
  DestroyWindow(window);
}

TEST_F(MessageQueue, TranslateMessageQueuesTheCharacterBeforeTheKeyRelease) {
  HWND window = create(WS_OVERLAPPED);
  PostMessageW(window, WM_KEYDOWN, 'A', 1);
  PostMessageW(window, WM_KEYUP, 'A', 0);
  MSG msg;
  std::vector<std::pair<UINT, WPARAM>> order;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    order.emplace_back(msg.message, msg.wParam);
    TranslateMessage(&msg);
  }
  EXPECT_EQ(order, (std::vector<std::pair<UINT, WPARAM>>{{WM_KEYDOWN, 'A'}, {WM_CHAR, u'a'}, {WM_KEYUP, 'A'}}));
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

class Timers : public UiTest {
 protected:
  platform::ui::ScopedVirtualClock clock_;
};

std::vector<DWORD> proc_times;
void CALLBACK record_tick(HWND, UINT message, UINT_PTR id, DWORD time) {
  EXPECT_EQ(message, WM_TIMER);
  EXPECT_EQ(id, 7u);
  proc_times.push_back(time);
}

TEST_F(Timers, A250MillisecondPollRunsOnTheVirtualClockWithoutWaiting) {
  HWND window = create(WS_OVERLAPPED);
  const DWORD start = platform::ui::clock_ms();
  ASSERT_EQ(SetTimer(window, 1, 250, nullptr), 1u);
  std::vector<DWORD> ticks;
  MSG msg;
  while (ticks.size() < 4 && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == window && msg.wParam == 1) ticks.push_back(msg.time - start);
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(ticks, (std::vector<DWORD>{250, 500, 750, 1000}));
  EXPECT_TRUE(KillTimer(window, 1));
  EXPECT_FALSE(KillTimer(window, 1));
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1) << "with the timer gone nothing can arrive";
  DestroyWindow(window);
}

TEST_F(Timers, ATimerProcIsCalledByDispatchInsteadOfTheWindow) {
  HWND window = create(WS_OVERLAPPED);
  proc_times.clear();
  SetTimer(window, 7, 100, record_tick);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  message_log().clear();
  DispatchMessageW(&msg);
  EXPECT_EQ(proc_times.size(), 1u);
  EXPECT_TRUE(messages_of(window, {WM_TIMER}).empty());
  DestroyWindow(window);
}

TEST_F(Timers, ATimerIsNotDueBeforeItsTimeAndDiesWithItsWindow) {
  HWND window = create(WS_OVERLAPPED);
  SetTimer(window, 2, 250, nullptr);
  MSG msg;
  platform::ui::advance_virtual_clock(249);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  platform::ui::advance_virtual_clock(1);
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
  DestroyWindow(window);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(Timers, ElapseIsClampedToTheMinimumAndAThreadTimerGetsItsOwnId) {
  const UINT_PTR id = SetTimer(nullptr, 0, 1, nullptr);
  ASSERT_NE(id, 0u);
  const DWORD start = platform::ui::clock_ms();
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.wParam, id);
  EXPECT_EQ(msg.time - start, USER_TIMER_MINIMUM);
  EXPECT_TRUE(KillTimer(nullptr, id));
}

}  // namespace
