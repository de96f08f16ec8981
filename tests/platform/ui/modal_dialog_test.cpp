#include "platform/dialog_template_builder.h"
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

}  // namespace
