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

struct Expected {
  int id;
  RECT rect;
};

class PaneLayout : public PaneTest {
 protected:
  void SetUp() override {
    PaneTest::SetUp();
    register_environment();
    world_->templates[kTestTemplate] = test_template();
  }

  HWND create(TestPane& pane) {
    HWND window = pane.Create(parent_, kTestTemplate, &host::CLSID_ClientEnvironment);
    EXPECT_NE(window, nullptr);
    return window;
  }

  void expect_layout(HWND pane, int width, int height, std::initializer_list<Expected> expected, int line) {
    MoveWindow(pane, 0, 0, width, height, FALSE);
    for (const Expected& e : expected) {
      const RECT r = rect_in_parent(GetDlgItem(pane, e.id));
      EXPECT_TRUE(r.left == e.rect.left && r.top == e.rect.top && r.right == e.rect.right && r.bottom == e.rect.bottom)
          << "control " << e.id << " at " << width << "x" << height << " (expectation at line " << line << "): got ("
          << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
    }
  }
};

TEST_F(PaneLayout, SkinValuesPlaceGroupsAtTwoSizes) {
  write_skin(u"ActivityPaneControl\\HorizLayout", {{u"First", 6}, {u"Second", 12}});
  // "Top" and "BottomGap" use up positions 2 and 4: gap 3 is the third value.
  write_skin(u"ActivityPaneControl\\VertLayout", {{u"One", 4}, {u"top", 3}, {u"Three", 7}, {u"BOTTOMGAP", 5}});
  TestPane pane;
  HWND window = create(pane);
  EXPECT_EQ(pane.top(), 3);
  EXPECT_EQ(pane.bottom_gap(), 5);
  EXPECT_EQ(pane.horizontal_layout(1), 6);
  EXPECT_EQ(pane.horizontal_layout(2), 12);
  EXPECT_EQ(pane.vertical_layout(1), 4);
  EXPECT_EQ(pane.vertical_layout(2), 0) << "\"Top\" is no gap value";
  EXPECT_EQ(pane.vertical_layout(3), 7);
  EXPECT_EQ(pane.vertical_layout(4), 0) << "\"BottomGap\" is no gap value";

  // 103's ideal height: 16 per started 400 / width line.
  expect_layout(window, 300, 260,
                {{101, {10, 3, 110, 23}},
                 {102, {6, 33, 300, 53}},
                 {103, {12, 60, 300, 92}},
                 {105, {10, 235, 90, 255}},
                 {104, {10, 205, 90, 225}}},
                __LINE__);
  expect_layout(window, 200, 160,
                {{101, {10, 3, 110, 23}},
                 {102, {6, 33, 200, 53}},
                 {103, {12, 60, 200, 108}},
                 {105, {10, 135, 90, 155}},
                 {104, {10, 105, 90, 125}}},
                __LINE__);
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
  expect_layout(window, 300, 260,
                {{101, {10, 0, 110, 20}},
                 {102, {0, 30, 300, 50}},
                 {103, {0, 50, 300, 82}},
                 {105, {10, 230, 90, 250}},
                 {104, {10, 200, 90, 220}}},
                __LINE__);
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
  HWND window = pane.Create(parent_, kTestTemplate, &host::CLSID_ClientEnvironment);
  ASSERT_NE(window, nullptr);
  expect_layout(window, 300, 260, {{101, {10, 10, 110, 30}}, {102, {10, 20, 110, 40}}, {106, {120, 20, 180, 40}}},
                __LINE__);
  expect_layout(window, 150, 260, {{102, {10, 20, 110, 40}}, {106, {120, 20, 150, 40}}}, __LINE__);
}

TEST_F(PaneLayout, AnEmptyClientAreaLaysOutNothing) {
  TestPane pane;
  HWND window = create(pane);
  MoveWindow(window, 0, 0, 300, 260, FALSE);
  std::vector<RECT> before;
  for (int id : {101, 102, 103, 104, 105}) before.push_back(rect_in_parent(GetDlgItem(window, id)));
  for (const SIZE size : {SIZE{0, 260}, SIZE{300, 0}}) {
    MoveWindow(window, 0, 0, size.cx, size.cy, FALSE);
    int i = 0;
    for (int id : {101, 102, 103, 104, 105}) {
      const RECT r = rect_in_parent(GetDlgItem(window, id));
      EXPECT_TRUE(EqualRect(&r, &before[i++])) << "control " << id << " moved at " << size.cx << "x" << size.cy;
    }
  }
}

TEST_F(PaneLayout, SizingRulesForOneControl) {
  TestPane pane;
  HWND window = create(pane);
  HWND label = GetDlgItem(window, 101);
  struct Row {
    int line;
    int x, y, width_rule, height_rule;
    bool answer_width;
    RECT expected;
    LONG answer;
  };
  // Each row starts from (10, 10, 110, 30): 100 x 20.
  const Row rows[] = {
      {__LINE__, 10, 10, 50, 0, false, {10, 10, 60, 30}, 20},
      {__LINE__, 10, 10, -50, 0, true, {10, 10, 60, 30}, 50},
      {__LINE__, 10, 10, -150, -5, false, {10, 10, 110, 15}, 5},
      {__LINE__, 10, 10, 0, 0, false, {10, 10, 110, 30}, 20},
      {__LINE__, PaneWindow::kKeepCoordinate, 40, 0, 30, false, {10, 40, 110, 70}, 30},
      {__LINE__, 25, PaneWindow::kKeepCoordinate, -100, 0, true, {25, 10, 125, 30}, 100},
  };
  for (const Row& row : rows) {
    MoveWindow(label, 10, 10, 100, 20, FALSE);
    const LONG answer = pane.size_control(label, row.x, row.y, row.width_rule, row.height_rule, row.answer_width);
    const RECT r = rect_in_parent(label);
    EXPECT_TRUE(EqualRect(&r, &row.expected)) << "row at line " << row.line << ": got (" << r.left << "," << r.top
                                              << "," << r.right << "," << r.bottom << ")";
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
  const LONG height = pane.size_skinned_control(skinned, 0, 0, 100, 0);
  EXPECT_EQ(height, 64) << "four lines at 100 pixels";
  const RECT r = rect_in_parent(skinned);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 64);
}

TEST_F(PaneLayout, ValuesThatAreNotNumbersLeaveTheirPosition) {
  platform::RegKey skin;
  ASSERT_EQ(skin.create(HKEY_CURRENT_USER, std::u16string(kConfigurationRoot) + u"\\Skin\\ActivityPaneControl\\HorizLayout"),
            ERROR_SUCCESS);
  ASSERT_EQ(skin.set_dword(u"a", 6), ERROR_SUCCESS);
  ASSERT_EQ(skin.set_string(u"b", u"wide"), ERROR_SUCCESS);
  ASSERT_EQ(skin.set_dword(u"c", 9), ERROR_SUCCESS);
  TestPane pane;
  create(pane);
  EXPECT_EQ(pane.horizontal_layout(1), 6);
  EXPECT_EQ(pane.horizontal_layout(2), 0);
  EXPECT_EQ(pane.horizontal_layout(3), 9);
}

}  // namespace
