#include <gtest/gtest.h>

#include "tests/zozed/panes/pane_test_support.h"
#include "zozed/panes/pane_window.h"
#include "zozed/toolkit/ax_host_window.h"

namespace {

using namespace pane_test;
using zozed::LayoutItem;
using zozed::PaneWindow;

constexpr LONG kTestTemplate = 4242;

// Template in dialog units (pixels are twice as many): 101 and 102 are labels 10 pixels apart,
// 103 a skinned text control, 104 and 105 buttons near the bottom, 10 pixels apart, and 106 a
// label 10 pixels to the right of 102.
std::vector<BYTE> test_template() {
  platform::DialogTemplateBuilder b;
  b.style(WS_CHILD | DS_CONTROL).rect(0, 0, 150, 130);
  b.label(101, u"", 5, 5, 50, 10).label(102, u"", 5, 20, 50, 10).item(skinned(103, 5, 40, 60, 10));
  b.button(104, u"", 5, 100, 40, 10).button(105, u"", 5, 115, 40, 10).label(106, u"", 60, 20, 30, 10);
  return template_bytes(b);
}

// Downward from "Top": 101 moves (template distance below), 102 stretched from indent 1 with
// gap 3 below, 103 stretched from indent 2 with its ideal height. Upward: 104, 105 move only.
constexpr LayoutItem kDown[] = {{101, 0x001}, {102, 0x315}, {103, 0x023}};
constexpr LayoutItem kUp[] = {{104, 0x001}, {105, 0x001}};

class TestPane final : public PaneWindow {
 public:
  TestPane() : PaneWindow(u"TestPane") {
    add_group(kDown, 3, 0x11);
    add_group(kUp, 2, 0x2);
  }
  using PaneWindow::OnSkinLoad;
};

// "left,top,right,bottom" of a window in its parent.
std::string rect_text(HWND window) {
  const RECT r = rect_in_parent(window);
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

class PaneLayout : public PaneTest {
 protected:
  void SetUp() override {
    PaneTest::SetUp();
    register_environment();
    world_->templates[kTestTemplate] = test_template();
  }

  HWND create(PaneWindow& pane) {
    HWND window = pane.Create(parent_, kTestTemplate, &host::CLSID_ClientEnvironment);
    EXPECT_NE(window, nullptr);
    return window;
  }

  // The pane sized to width x height, and its controls' rectangles as "id left,top,right,bottom".
  static std::string layout(HWND pane, int width, int height, std::initializer_list<int> ids) {
    MoveWindow(pane, 0, 0, width, height, FALSE);
    std::string text;
    for (const int id : ids) text += (text.empty() ? "" : "  ") + std::to_string(id) + " " + rect_text(GetDlgItem(pane, id));
    return text;
  }
};

TEST_F(PaneLayout, SkinValuesPlaceGroupsAtTwoSizes) {
  write_skin(u"ActivityPaneControl\\HorizLayout", {{u"First", dword(6)}, {u"Second", dword(12)}});
  // "Top" and "BottomGap" use up positions 2 and 4: gap 3 is the third value.
  write_skin(u"ActivityPaneControl\\VertLayout",
             {{u"One", dword(4)}, {u"top", dword(3)}, {u"Three", dword(7)}, {u"BOTTOMGAP", dword(5)}});
  TestPane pane;
  HWND window = create(pane);
  // Top, bottom gap, indents 1 and 2, gaps 1 to 4 ("Top" and "BottomGap" are no gap values).
  EXPECT_EQ((std::vector{pane.top(), pane.bottom_gap(), pane.horizontal_layout(1), pane.horizontal_layout(2),
                         pane.vertical_layout(1), pane.vertical_layout(2), pane.vertical_layout(3), pane.vertical_layout(4)}),
            (std::vector{3, 5, 6, 12, 4, 0, 7, 0}));
  // 103's ideal height: 16 per started 400 / width line.
  EXPECT_EQ(layout(window, 300, 260, {101, 102, 103, 104, 105}),
            "101 10,3,110,23  102 6,33,300,53  103 12,60,300,92  104 10,205,90,225  105 10,235,90,255");
  EXPECT_EQ(layout(window, 200, 160, {101, 102, 103, 104, 105}),
            "101 10,3,110,23  102 6,33,200,53  103 12,60,200,108  104 10,105,90,125  105 10,135,90,155");
  auto control = zozed::toolkit::ax_window_control(GetDlgItem(window, 103));
  ASSERT_TRUE(control);
  EXPECT_EQ(static_cast<SkinStandIn*>(control.As<ISkinAutoSize>().get())->auto_size_mode, host::kAutoSizeHeight);
}

TEST_F(PaneLayout, WithoutVertLayoutTemplateSpacingHoldsFromTheVeryTop) {
  TestPane pane;
  HWND window = create(pane);
  EXPECT_EQ(pane.top(), 0);
  EXPECT_EQ(pane.bottom_gap(), 10);
  // Gap index 3 without a skin is 0; 101 keeps its template distance of 10 below.
  const std::string laid_out = "101 10,0,110,20  102 0,30,300,50  103 0,50,300,82  104 10,200,90,220  105 10,230,90,250";
  EXPECT_EQ(layout(window, 300, 260, {101, 102, 103, 104, 105}), laid_out);
  // An empty client area lays out nothing.
  EXPECT_EQ(layout(window, 0, 260, {101, 102, 103, 104, 105}), laid_out);
  EXPECT_EQ(layout(window, 300, 0, {101, 102, 103, 104, 105}), laid_out);
}

// 101 is of no sizing kind: it stays and counts with no height. 106 is placed in a row after
// 102, shrunk so as not to pass the right edge.
constexpr LayoutItem kZeroSized[] = {{101, 0x000}, {102, 0x001}};
constexpr LayoutItem kRow[] = {{102, 0}, {106, 0}};

class RowPane final : public PaneWindow {
 public:
  RowPane() : PaneWindow(u"RowPane") {
    add_group(kZeroSized, 2, 0x1);
    add_group(kRow, 2, 0x4);
  }
};

TEST_F(PaneLayout, UnsizedItemsCountAsNothingAndRowsStopAtTheRightEdge) {
  RowPane pane;
  HWND window = create(pane);
  EXPECT_EQ(layout(window, 300, 260, {101, 102, 106}), "101 10,10,110,30  102 10,20,110,40  106 120,20,180,40");
  EXPECT_EQ(layout(window, 150, 260, {102, 106}), "102 10,20,110,40  106 120,20,150,40");
}

TEST_F(PaneLayout, SizingRulesForOneControl) {
  TestPane pane;
  HWND window = create(pane);
  HWND label = GetDlgItem(window, 101);
  struct Row {
    int line;
    int x, y, width_rule, height_rule;
    bool answer_width;
    const char* expected;
    LONG answer;
  };
  // Each row starts from (10, 10, 110, 30): 100 x 20.
  const Row rows[] = {
      {__LINE__, 10, 10, 50, 0, false, "10,10,60,30", 20},
      {__LINE__, 10, 10, -50, 0, true, "10,10,60,30", 50},
      {__LINE__, 10, 10, -150, -5, false, "10,10,110,15", 5},
      {__LINE__, 10, 10, 0, 0, false, "10,10,110,30", 20},
      {__LINE__, PaneWindow::kKeepCoordinate, 40, 0, 30, false, "10,40,110,70", 30},
      {__LINE__, 25, PaneWindow::kKeepCoordinate, -100, 0, true, "25,10,125,30", 100},
  };
  for (const Row& row : rows) {
    MoveWindow(label, 10, 10, 100, 20, FALSE);
    const LONG answer = pane.size_control(label, row.x, row.y, row.width_rule, row.height_rule, row.answer_width);
    EXPECT_EQ(rect_text(label), row.expected) << "row at line " << row.line;
    EXPECT_EQ(answer, row.answer) << "row at line " << row.line;
  }
}

TEST_F(PaneLayout, OnlyAChangeRedrawsWithTheFullRedrawFlags) {
  TestPane pane;
  HWND window = create(pane);
  HWND label = GetDlgItem(window, 101);
  MoveWindow(label, 10, 10, 100, 20, FALSE);
  const auto before = platform::ui::redraw_requests(label).size();
  pane.size_control(label, 10, 10, 0, 0);
  EXPECT_EQ(platform::ui::redraw_requests(label).size(), before) << "nothing changed: no redraw";
  pane.size_control(label, 10, 10, 80, 0);
  const auto requests = platform::ui::redraw_requests(label);
  ASSERT_EQ(requests.size(), before + 1);
  EXPECT_EQ(requests.back(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

TEST_F(PaneLayout, SkinnedSizingAppliesTheWidthThenTheIdealHeight) {
  TestPane pane;
  HWND window = create(pane);
  HWND skinned = GetDlgItem(window, 103);
  EXPECT_EQ(pane.size_skinned_control(skinned, 0, 0, 100, 0), 64) << "four lines at 100 pixels";
  EXPECT_EQ(rect_text(skinned), "0,0,100,64");
}

TEST_F(PaneLayout, ValuesThatAreNotNumbersLeaveTheirPosition) {
  write_skin(u"ActivityPaneControl\\HorizLayout", {{u"a", dword(6)}, {u"b", sz(u"wide")}, {u"c", dword(9)}});
  TestPane pane;
  create(pane);
  EXPECT_EQ((std::vector{pane.horizontal_layout(1), pane.horizontal_layout(2), pane.horizontal_layout(3)}),
            (std::vector{6, 0, 9}));
}

}  // namespace
