#include <gtest/gtest.h>

#include "host/pane_templates.h"
#include "platform/support/control_host.h"
#include "platform/ui_driver.h"
#include "suite/host/suite_session.h"
#include "tests/zozed/module_fixture.h"
#include "zozed/module/class_ids.h"

namespace {

using zozed_test::ModuleTest;

RECT rect_in_parent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The module registered, the suite running: every pane opens in a window from the suite's
// template, and leaves nothing behind.
class PaneActivation : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    ASSERT_EQ(register_module(), S_OK);
    ASSERT_EQ(session_.start(), S_OK);
    windows_before_ = platform::ui::live_window_count();
    parent_ = CreateWindowExW(0, u"Static", u"panel", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 240, 480, nullptr, nullptr,
                              nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    session_.stop();
    EXPECT_EQ(platform::ui::live_window_count(), windows_before_);
    ModuleTest::TearDown();
  }

  suite::Session session_;
  HWND parent_ = nullptr;
  std::size_t windows_before_ = 0;
};

TEST_F(PaneActivation, EveryPaneOpensFromItsTemplate) {
  struct Row {
    int line;
    const CLSID* clsid;
    int control;  // one control the pane's template has
  };
  const Row rows[] = {
      {__LINE__, &zozed::CLSID_STGShareByEmail, 1161},  {__LINE__, &zozed::CLSID_STGEmailGenPan, 11112},
      {__LINE__, &zozed::CLSID_STGEmailOptPane, 1380},  {__LINE__, &zozed::CLSID_STGEmailDonePane, 1384},
      {__LINE__, &zozed::CLSID_STGEmailOptions, 1396},  {__LINE__, &zozed::CLSID_STGSharedExport, 1270},
      {__LINE__, &zozed::CLSID_STGSharedSaveAs, 210},   {__LINE__, &zozed::CLSID_STGArchivePane, 30155},
      {__LINE__, &zozed::CLSID_STGSlideShowOptPane, 1487},
  };
  for (const Row& row : rows) {
    platform::HostedControl pane;
    ASSERT_EQ(pane.create(*row.clsid, parent_, RECT{0, 0, 240, 480}), S_OK) << "row at line " << row.line;
    HWND window = pane.window();
    ASSERT_NE(window, nullptr) << "row at line " << row.line;
    EXPECT_NE(GetDlgItem(window, row.control), nullptr) << "row at line " << row.line;
    pane.destroy();
    EXPECT_FALSE(IsWindow(window));
  }
}

TEST_F(PaneActivation, TheEmailDonePaneLaysItsHeadingOutFromTheSuiteSkin) {
  platform::HostedControl pane;
  ASSERT_EQ(pane.create(zozed::CLSID_STGEmailDonePane, parent_, RECT{0, 0, 240, 480}), S_OK);
  // 1384: group 0x1 keeps its template top (5 dialog units = 10 pixels), indent 1 (8) and
  // stretched to the right edge.
  const RECT heading = rect_in_parent(GetDlgItem(pane.window(), 1384));
  EXPECT_EQ(heading.left, 8);
  EXPECT_EQ(heading.top, 10);
  EXPECT_EQ(heading.right, 240);
  ASSERT_EQ(pane.move(RECT{0, 0, 300, 480}), S_OK);
  EXPECT_EQ(rect_in_parent(GetDlgItem(pane.window(), 1384)).right, 300);
}

}  // namespace
