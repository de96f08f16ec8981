// The control model alone; clicks, ranges and heights through the controls are in skinned_control_test.
#include <gtest/gtest.h>

#include "suite/controls/control_model.h"
#include "suite/controls/text_metrics.h"

namespace {

using suite::controls::ControlModel;
using K = host::SkinnedControlKind;

TEST(ControlModel, StatesEachKindHas) {
  struct Row { int line; K kind; LONG state; bool accepted; };
  const Row rows[] = {
      {__LINE__, K::bullet_button, 0, true},    {__LINE__, K::bullet_button, 3, true},
      {__LINE__, K::bullet_button, 4, false},   {__LINE__, K::bullet_button, -1, false},
      {__LINE__, K::check_box, 0, true},        {__LINE__, K::check_box, 1, true},
      {__LINE__, K::check_box, 2, true},        {__LINE__, K::check_box, 3, false},
      {__LINE__, K::choice, 2, true},           {__LINE__, K::choice, 1, false},
      {__LINE__, K::two_state_choice, 1, true}, {__LINE__, K::two_state_choice, 2, false},
      {__LINE__, K::heading, 0, false},         {__LINE__, K::number_box, 0, false},
  };
  for (const auto& row : rows) {
    ControlModel model(row.kind);
    const LONG before = model.state();
    EXPECT_EQ(SUCCEEDED(model.set_state(row.state)), row.accepted) << "line " << row.line;
    EXPECT_EQ(model.state(), row.accepted ? row.state : before) << "line " << row.line;
  }
}

TEST(ControlModel, ClicksOnChoicesTabsAndDisabledControls) {
  ControlModel box(K::check_box);
  box.enabled = false;
  EXPECT_FALSE(box.click().fires);
  EXPECT_EQ(box.state(), host::kCheckClear);

  ControlModel choice(K::choice);  // its value mirrors its state
  EXPECT_EQ(choice.choice_value(), host::kChoiceValueClear);
  EXPECT_TRUE(choice.click().fires);
  EXPECT_EQ(choice.state(), host::kChoiceSelected);
  EXPECT_EQ(choice.choice_value(), host::kChoiceValueSelected);
  EXPECT_EQ(choice.set_choice_value(-1), S_OK);
  EXPECT_EQ(choice.state(), 0);
  EXPECT_EQ(choice.set_choice_value(5), E_INVALIDARG);

  ControlModel two_state(K::two_state_choice);  // reports its new state
  EXPECT_EQ(two_state.click().state, std::optional<LONG>(1));
  EXPECT_EQ(two_state.click().state, std::optional<LONG>(0));

  ControlModel tabs(K::tab_control);  // cycles, and selects by exact identifier
  tabs.add_item(u"General", u"ID_General");
  tabs.add_item(u"Photos", u"ID_Photos");
  EXPECT_EQ(tabs.selected_tab(), u"ID_General");
  EXPECT_EQ(*tabs.click().tab, u"ID_Photos");
  EXPECT_EQ(*tabs.click().tab, u"ID_General");
  EXPECT_TRUE(tabs.select_tab(u"ID_Photos"));
  EXPECT_FALSE(tabs.select_tab(u"id_photos"));
}

TEST(ControlModel, NumberBoxKeepsItsValueInRange) {
  struct Row { int line; double low, high, value, expected; };
  const Row rows[] = {{__LINE__, 1, 999, 12.5, 12.5}, {__LINE__, -5, 5, -7.25, -5}, {__LINE__, 3, 3, 4, 3}};
  for (const auto& row : rows) {
    ControlModel box(K::number_box);
    ASSERT_EQ(box.set_range(row.low, row.high), S_OK) << "line " << row.line;
    box.set_value(row.value);
    EXPECT_EQ(box.value(), row.expected) << "line " << row.line;
  }
  ControlModel box(K::number_box);
  box.set_value(500);
  EXPECT_EQ(box.set_range(1, 99), S_OK);
  EXPECT_EQ(box.value(), 99) << "a narrower range moves the value into it";
  EXPECT_EQ(box.set_range(10, 1), E_INVALIDARG);
  EXPECT_EQ(box.minimum(), 1);
  EXPECT_EQ(suite::controls::format_number(250), u"250");  // numbers read and show without noise
  EXPECT_EQ(suite::controls::format_number(1.5), u"1.5");
  EXPECT_EQ(suite::controls::parse_number(u" 42 "), 42.0);
  EXPECT_EQ(suite::controls::parse_number(u"-3.25"), -3.25);
  EXPECT_FALSE(suite::controls::parse_number(u"12kb"));
  EXPECT_FALSE(suite::controls::parse_number(u""));
}

TEST(TextMetrics, WrapsAtWordsSplitsLongWordsAndLeavesRoomForACheckBox) {
  const suite::controls::TextBox box{.left_inset = 0, .padding = 0, .minimum_height = 0};
  // 80 pixels hold ten characters.
  EXPECT_EQ(suite::controls::wrap_text(u"Send the photos now\nabcdefghijklmnop", 80, box),
            (std::vector<std::u16string>{u"Send the", u"photos now", u"abcdefghij", u"klmnop"}));
  ControlModel check_box(K::check_box);
  check_box.text = u"Embed photos";  // 12 characters
  EXPECT_EQ(check_box.ideal_height(20 + 4 + 12 * 8), 20);
  EXPECT_EQ(check_box.ideal_height(20 + 4 + 11 * 8), 2 * 16 + 4);
}

}  // namespace
