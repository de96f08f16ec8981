// Modal dialogs: the loop a driver runs, and a small dialog program run end to end (built from a
// template that names a class registered by a shared library, driven by clicks, keys and a 250 ms
// timer, destroyed without leaving a window behind).
#include <gtest/gtest.h>

#include "platform/dialog_template_builder.h"
#include "platform/libloaderapi.h"
#include "platform/winbase.h"
#include "tests/platform/ui/control_library/progress_bar.h"
#include "tests/platform/ui/ui_test_support.h"

using namespace ui_test;

namespace {

class ModalDialogs : public UiTest {};

std::vector<WORD> confirm_template(DWORD extra_style = 0) {
  return platform::DialogTemplateBuilder()
      .style(WS_POPUP | WS_CAPTION | DS_MODALFRAME | extra_style)
      .title(u"Confirm")
      .rect(0, 0, 120, 50)
      .button(IDOK, u"OK", 5, 30, 50, 14, BS_DEFPUSHBUTTON)
      .button(IDCANCEL, u"Cancel", 60, 30, 50, 14)
      .build();
}

std::vector<WPARAM> commands;
INT_PTR CALLBACK ending_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND) {
    commands.push_back(wparam);
    if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) EndDialog(dialog, LOWORD(wparam) == IDOK ? 11 : 22);
    return TRUE;
  }
  return FALSE;
}

TEST_F(ModalDialogs, AHookDrivenClickEndsTheDialogWithItsResult) {
  HWND owner = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  commands.clear();
  HWND activated = nullptr;
  bool owner_enabled_meanwhile = true;
  platform::ui::ScopedDriver driver(
      [&](HWND waiting) {
        EXPECT_EQ(waiting, activated);
        owner_enabled_meanwhile = IsWindowEnabled(owner) != FALSE;
        EXPECT_FALSE(platform::ui::click(owner)) << "the user cannot reach a disabled owner";
        EXPECT_TRUE(platform::ui::click(GetDlgItem(waiting, IDOK)));
      },
      [&](int code, HWND window) {
        if (code == HCBT_ACTIVATE && platform::ui::is_dialog(window)) activated = window;
      });
  const std::vector<WORD> bytes = confirm_template();
  const INT_PTR result = DialogBoxIndirectParamW(nullptr, platform::as_template(bytes), owner, ending_dialog, 0);
  EXPECT_EQ(result, 11);
  ASSERT_NE(activated, nullptr);
  EXPECT_FALSE(IsWindow(activated)) << "the dialog is destroyed when the loop ends";
  EXPECT_FALSE(owner_enabled_meanwhile);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner) << "the owner is active again";
  EXPECT_EQ(commands, (std::vector<WPARAM>{MAKEWPARAM(IDOK, BN_CLICKED)}));
  DestroyWindow(owner);
}

TEST_F(ModalDialogs, WithoutADriverTheLoopFailsNamingTheDialog) {
  const std::vector<WORD> bytes = confirm_template();
  testing::internal::CaptureStderr();
  const INT_PTR result = DialogBoxIndirectParamW(nullptr, platform::as_template(bytes), nullptr, ending_dialog, 0);
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_POSSIBLE_DEADLOCK));
  EXPECT_NE(printed.find("\"Confirm\""), std::string::npos) << printed;
  EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << "one line";
  EXPECT_NE(platform::ui::last_wait_failure().find("\"Confirm\""), std::string::npos);
}

TEST_F(ModalDialogs, KeysAndClosingBecomeCommands) {
  struct Row { int line; UINT message; WPARAM key; INT_PTR result; };
  const Row rows[] = {
      {__LINE__, WM_KEYDOWN, VK_RETURN, 11},  // the default button
      {__LINE__, WM_KEYDOWN, VK_ESCAPE, 22},
      {__LINE__, WM_CLOSE, 0, 22},  // DefDlgProc turns closing into IDCANCEL
  };
  for (const Row& row : rows) {
    commands.clear();
    platform::ui::ScopedDriver driver([&](HWND waiting) {
      if (row.message == WM_KEYDOWN) {
        EXPECT_TRUE(platform::ui::press_key(row.key)) << "line " << row.line;
      } else {
        PostMessageW(waiting, row.message, 0, 0);
      }
    });
    const std::vector<WORD> bytes = confirm_template();
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, platform::as_template(bytes), nullptr, ending_dialog, 0), row.result)
        << "line " << row.line;
  }
}

TEST_F(ModalDialogs, EndDialogDuringInitialisationNeverShowsTheDialog) {
  bool shown = false;
  platform::ui::ScopedDriver driver([](HWND) {}, [&](int code, HWND window) {
    shown = shown || (code == HCBT_ACTIVATE && platform::ui::is_dialog(window));
  });
  const std::vector<WORD> bytes = platform::DialogTemplateBuilder().style(WS_POPUP).build();
  const INT_PTR result = DialogBoxIndirectParamW(
      nullptr, platform::as_template(bytes), nullptr,
      [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) EndDialog(dialog, 5);
        return FALSE;
      },
      0);
  EXPECT_EQ(result, 5);
  EXPECT_FALSE(shown);
}

constexpr int id_name = 101, id_keep = 102, id_start = 103, id_progress = 104;
constexpr UINT_PTR poll_timer = 1;

struct ProgramRun {
  LONG done = 0;  // set from outside the dialog, read by the timer
  bool started = false;
  int ticks = 0;
  UINT keep_checked = BST_UNCHECKED;
  std::u16string name;
  LRESULT progress = 0;
};
ProgramRun* run = nullptr;

INT_PTR CALLBACK progress_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetTimer(dialog, poll_timer, 250, nullptr);
      return TRUE;
    case WM_TIMER:
      if (wparam != poll_timer || !run->started) return TRUE;
      ++run->ticks;
      SendDlgItemMessageW(dialog, id_progress, progress_set_position, static_cast<WPARAM>(run->ticks * 25), 0);
      if (InterlockedExchangeAdd(&run->done, 0)) {
        KillTimer(dialog, poll_timer);
        run->keep_checked = IsDlgButtonChecked(dialog, id_keep);
        WCHAR name[64];
        GetDlgItemTextW(dialog, id_name, name, 64);
        run->name = name;
        run->progress = SendDlgItemMessageW(dialog, id_progress, progress_get_position, 0, 0);
        EndDialog(dialog, IDOK);
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == id_start && HIWORD(wparam) == BN_CLICKED) {
        run->started = true;
        EnableWindow(GetDlgItem(dialog, id_start), FALSE);
      }
      if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

class DialogProgram : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    library_ = LoadLibraryA(UI_TEST_CONTROLS_PATH);
    ASSERT_NE(library_, nullptr);
    const auto register_class = reinterpret_cast<RegisterProgressBar>(
        reinterpret_cast<void*>(GetProcAddress(library_, "register_progress_bar")));
    ASSERT_NE(register_class, nullptr);
    ASSERT_NE(register_class(library_), 0);
    run = &state_;
  }
  void TearDown() override {
    run = nullptr;
    const auto unregister_class = reinterpret_cast<UnregisterProgressBar>(
        reinterpret_cast<void*>(GetProcAddress(library_, "unregister_progress_bar")));
    EXPECT_TRUE(unregister_class(library_));
    FreeLibrary(library_);
    UiTest::TearDown();
  }

  INT_PTR run_program(HWND owner) {
    const std::vector<WORD> bytes =
        platform::DialogTemplateBuilder()
            .style(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER)
            .title(u"Converting")
            .rect(0, 0, 160, 90)
            .font(platform::DialogFont{})
            .edit(id_name, u"", 4, 16, 50, 12)
            .button(id_keep, u"Keep", 4, 32, 60, 10, BS_AUTOCHECKBOX)
            .item(platform::DialogItem{std::u16string(progress_class), WORD{0}, id_progress, WS_VISIBLE, 0, 4, 46, 30,
                                       8, 0, {}})
            .button(id_start, u"Start", 4, 70, 50, 14, BS_DEFPUSHBUTTON)
            .button(IDCANCEL, u"Cancel", 106, 70, 50, 14)
            .build();
    return DialogBoxIndirectParamW(nullptr, platform::as_template(bytes), owner, progress_dialog, 0);
  }

  HMODULE library_ = nullptr;
  ProgramRun state_;
  platform::ui::ScopedVirtualClock clock_;
};

TEST_F(DialogProgram, RunsFromTemplateToDestructionDrivenByClicksAndTimers) {
  HWND owner = create(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  int idle_calls = 0;
  const DWORD start = platform::ui::clock_ms();
  platform::ui::ScopedDriver driver([&](HWND dialog) {
    // The user types a name, ticks the box and starts; the work finishes after the third tick.
    switch (idle_calls++) {
      case 0:
        EXPECT_TRUE(platform::ui::click(GetDlgItem(dialog, id_name)));
        break;
      case 1:
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, id_name));
        EXPECT_TRUE(platform::ui::press_key('A'));
        EXPECT_TRUE(platform::ui::press_key('B'));
        break;
      case 2:
        EXPECT_TRUE(platform::ui::click(GetDlgItem(dialog, id_keep)));
        EXPECT_TRUE(platform::ui::click(GetDlgItem(dialog, id_start)));
        break;
      default:
        EXPECT_FALSE(platform::ui::click(GetDlgItem(dialog, id_start))) << "disabled once started";
        if (state_.ticks == 3) InterlockedExchange(&state_.done, 1);
        break;
    }
  });
  EXPECT_EQ(run_program(owner), IDOK);
  EXPECT_EQ(state_.ticks, 4) << "the tick after the work is done ends the dialog";
  EXPECT_EQ(platform::ui::clock_ms() - start, 1000u) << "four 250 ms ticks on the virtual clock";
  EXPECT_EQ(state_.keep_checked, BST_CHECKED);
  EXPECT_EQ(state_.name, u"ab");
  EXPECT_EQ(state_.progress, 100);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST_F(DialogProgram, CancelEndsItAndTheTimerDiesWithTheDialog) {
  platform::ui::ScopedDriver driver([](HWND dialog) { EXPECT_TRUE(platform::ui::click(GetDlgItem(dialog, IDCANCEL))); });
  EXPECT_EQ(run_program(nullptr), IDCANCEL);
  EXPECT_EQ(state_.ticks, 0);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

}  // namespace
