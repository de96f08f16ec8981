#include "tests/platform/ui/ui_test_support.h"

using namespace ui_test;

namespace {

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
