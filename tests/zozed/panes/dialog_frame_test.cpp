#include <gtest/gtest.h>

#include "tests/zozed/panes/pane_test_support.h"
#include "zozed/toolkit/ax_host_window.h"
#include "zozed/toolkit/dialog_frame.h"

namespace {

using namespace pane_test;

constexpr LONG kDialogTemplate = 213;

std::vector<BYTE> dialog_bytes() {
  platform::DialogTemplateBuilder b;
  b.rect(0, 0, 100, 50).item(skinned(1274, 5, 5, 40, 10));
  return template_bytes(b);
}

class RecordingFrame final : public zozed::toolkit::DialogFrame {
 public:
  COLORREF seen_background = 0;
  bool had_control = false;

 protected:
  void OnInitDialog() override {
    seen_background = background();
    had_control = static_cast<bool>(zozed::toolkit::ax_window_control(GetDlgItem(hwnd(), 1274)));
  }
};

using DialogFrameTest = PaneTest;

TEST_F(DialogFrameTest, RunsTheHostTemplateModallyWithItsSkin) {
  register_environment();
  world_->templates[kDialogTemplate] = dialog_bytes();
  write_skin(u"DialogFrame", {{u"Background", dword(0x00112233)}});
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  platform::ui::clear_cursor_history();
  platform::ui::ScopedDriver driver([](HWND waiting) {
    if (waiting) EndDialog(waiting, 1325);
  });
  RecordingFrame frame;
  EXPECT_EQ(frame.Run(parent_, kDialogTemplate), 1325);
  EXPECT_EQ(frame.seen_background, 0x00112233u);
  EXPECT_TRUE(frame.had_control);
  EXPECT_EQ(frame.hwnd(), nullptr);
  const auto cursors = platform::ui::cursor_history();
  ASSERT_GE(cursors.size(), 2u);
  EXPECT_EQ(cursors.front(), world_->busy);
  EXPECT_EQ(platform::ui::cursor_name(cursors[1]), u"IDC_ARROW") << "busy only while the dialog is built";
}

TEST_F(DialogFrameTest, MissingEnvironmentOrTemplateAnswersMinusOne) {
  RecordingFrame frame;
  EXPECT_EQ(frame.Run(parent_, kDialogTemplate), -1);
  register_environment();
  EXPECT_EQ(frame.Run(parent_, 9999), -1);
}

}  // namespace
