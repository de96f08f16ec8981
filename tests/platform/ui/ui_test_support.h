// A window class that logs every message its windows receive, and a fixture that checks that
// each test leaves no window, timer-driven clock or driver behind.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errhandlingapi.h"
#include "platform/ui_driver.h"
#include "platform/winerror.h"
#include "platform/winuser.h"

namespace ui_test {

struct Logged {
  HWND window;
  UINT message;
  WPARAM wparam;
};

inline std::vector<Logged>& message_log() {
  static std::vector<Logged> log;
  return log;
}

inline LRESULT CALLBACK logging_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  message_log().push_back(Logged{window, message, wparam});
  return DefWindowProcW(window, message, wparam, lparam);
}

inline constexpr const char16_t* logging_class = u"UiTestLogging";

inline void register_logging_class() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = logging_proc;
  wc.lpszClassName = logging_class;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  if (!RegisterClassExW(&wc)) {
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  }
}

// The messages `window` received, in order, keeping only those in `interesting`.
inline std::vector<UINT> messages_of(HWND window, const std::vector<UINT>& interesting) {
  std::vector<UINT> result;
  for (const Logged& entry : message_log()) {
    if (entry.window != window) continue;
    for (UINT m : interesting) if (m == entry.message) result.push_back(entry.message);
  }
  return result;
}

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    register_logging_class();
    message_log().clear();
    windows_before_ = platform::ui::live_window_count();
  }
  void TearDown() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    EXPECT_EQ(platform::ui::live_window_count(), windows_before_) << "the test left windows behind";
  }

  HWND create(DWORD style, HWND parent = nullptr, int id = 0, RECT r = RECT{10, 20, 210, 120}) {
    return CreateWindowExW(0, logging_class, u"w", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }

  std::size_t windows_before_ = 0;
};

}  // namespace ui_test
