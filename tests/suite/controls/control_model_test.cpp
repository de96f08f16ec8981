#include <gtest/gtest.h>

#include "suite/controls/control_model.h"
#include "suite/controls/text_metrics.h"

namespace {

using suite::controls::ControlModel;
using K = host::SkinnedControlKind;

struct StateRow {
  int line;
  K kind;
  LONG state;
  bool accepted;
};

const StateRow kStates[] = {
    {__LINE__, K::bullet_button, 0, true},   {__LINE__, K::bullet_button, 3, true},
    {__LINE__, K::bullet_button, 4, false},  {__LINE__, K::bullet_button, -1, false},
    {__LINE__, K::check_box, 0, true},       {__LINE__, K::check_box, 1, true},
    {__LINE__, K::check_box, 2, true},       {__LINE__, K::check_box, 3, false},
    {__LINE__, K::choice, 2, true},          {__LINE__, K::choice, 1, false},
    {__LINE__, K::two_state_choice, 1, true}, {__LINE__, K::two_state_choice, 2, false},
    {__LINE__, K::heading, 0, false},        {__LINE__, K::number_box, 0, false},
};

TEST(ControlModel, StatesEachKindHas) {
  for (const auto& row : kStates) {
    ControlModel model(row.kind);
    const LONG before = model.state();
    EXPECT_EQ(SUCCEEDED(model.set_state(row.state)), row.accepted) << "line " << row.line;
    EXPECT_EQ(model.state(), row.accepted ? row.state : before) << "line " << row.line;
  }
}

TEST(ControlModel, CheckBoxClickTicksClearAndMixedAndClearsTicked) {
  const struct {
    int line;
    LONG from;
    LONG to;
  } rows[] = {{__LINE__, 0, 2}, {__LINE__, 1, 2}, {__LINE__, 2, 0}};
  for (const auto& row : rows) {
    ControlModel box(K::check_box);
    ASSERT_EQ(box.set_state(row.from), S_OK);
    EXPECT_TRUE(box.click().fires) << "line " << row.line;
    EXPECT_EQ(box.state(), row.to) << "line " << row.line;
  }
}

TEST(ControlModel, UnavailableControlsIgnoreClicks) {
  ControlModel button(K::bullet_button);
  ASSERT_EQ(button.set_state(host::kButtonNotAvailable), S_OK);
  EXPECT_FALSE(button.shown());
  EXPECT_FALSE(button.click().fires);

  ControlModel box(K::check_box);
  box.enabled = false;
  EXPECT_FALSE(box.click().fires);
  EXPECT_EQ(box.state(), host::kCheckClear);
}

TEST(ControlModel, ChoiceValueMirrorsItsState) {
  ControlModel choice(K::choice);
  EXPECT_EQ(choice.choice_value(), host::kChoiceValueClear);
  EXPECT_TRUE(choice.click().fires);
  EXPECT_EQ(choice.state(), host::kChoiceSelected);
  EXPECT_EQ(choice.choice_value(), host::kChoiceValueSelected);
  EXPECT_EQ(choice.set_choice_value(-1), S_OK);
  EXPECT_EQ(choice.state(), 0);
  EXPECT_EQ(choice.set_choice_value(5), E_INVALIDARG);
}

TEST(ControlModel, TwoStateChoiceReportsItsNewState) {
  ControlModel choice(K::two_state_choice);
  auto outcome = choice.click();
  ASSERT_TRUE(outcome.state.has_value());
  EXPECT_EQ(*outcome.state, 1);
  outcome = choice.click();
  EXPECT_EQ(*outcome.state, 0);
}

TEST(ControlModel, NumberBoxKeepsItsValueInRange) {
  const struct {
    int line;
    double low, high, value, expected;
  } rows[] = {
      {__LINE__, 1, 999, 0, 1},         {__LINE__, 1, 999, 1000, 999}, {__LINE__, 1, 999, 12.5, 12.5},
      {__LINE__, -5, 5, -7.25, -5},     {__LINE__, 3, 3, 4, 3},
  };
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
}

TEST(ControlModel, SelectionOutsideTheEntriesSelectsNothing) {
  ControlModel combo(K::combo_box);
  combo.add_item(u"Low", u"");
  EXPECT_TRUE(combo.select(0));
  EXPECT_FALSE(combo.select(1));
  EXPECT_EQ(combo.selected_index(), -1);
}

TEST(ControlModel, TabControlCyclesAndSelectsByIdentifier) {
  ControlModel tabs(K::tab_control);
  tabs.add_item(u"General", u"ID_General");
  tabs.add_item(u"Photos", u"ID_Photos");
  EXPECT_EQ(tabs.selected_tab(), u"ID_General");
  EXPECT_EQ(*tabs.click().tab, u"ID_Photos");
  EXPECT_EQ(*tabs.click().tab, u"ID_General");
  EXPECT_TRUE(tabs.select_tab(u"ID_Photos"));
  EXPECT_FALSE(tabs.select_tab(u"id_photos")) << "identifiers compare exactly";
}

TEST(ControlModel, NumbersReadAndShowWithoutNoise) {
  EXPECT_EQ(suite::controls::format_number(250), u"250");
  EXPECT_EQ(suite::controls::format_number(1.5), u"1.5");
  EXPECT_EQ(suite::controls::parse_number(u" 42 "), 42.0);
  EXPECT_EQ(suite::controls::parse_number(u"-3.25"), -3.25);
  EXPECT_FALSE(suite::controls::parse_number(u"12kb"));
  EXPECT_FALSE(suite::controls::parse_number(u""));
}

TEST(TextMetrics, WrapsAtWordsAndSplitsLongWords) {
  const suite::controls::TextBox box{.left_inset = 0, .padding = 0, .minimum_height = 0};
  // 80 pixels hold ten characters.
  const auto lines = suite::controls::wrap_text(u"Send the photos now\nabcdefghijklmnop", 80, box);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], u"Send the");
  EXPECT_EQ(lines[1], u"photos now");
  EXPECT_EQ(lines[2], u"abcdefghij");
  EXPECT_EQ(lines[3], u"klmnop");
}

TEST(TextMetrics, IdealHeightAtTwoWidths) {
  ControlModel heading(K::heading);
  heading.text = u"Choose how to send the selected photos";  // 38 characters
  // 400 pixels: one line of 16 plus padding 4 above and below.
  EXPECT_EQ(heading.ideal_height(400), 24);
  // 120 pixels: 14 characters a line -> "Choose how to", "send the", "selected", "photos".
  EXPECT_EQ(heading.ideal_height(120), 4 * 16 + 8);
  // The step image takes 28 pixels and makes the heading at least 32 high.
  heading.image = u"BulletButton2";
  EXPECT_EQ(heading.ideal_height(400), 32);
}

TEST(TextMetrics, CheckBoxLeavesRoomForItsBox) {
  ControlModel box(K::check_box);
  box.text = u"Embed photos";  // 12 characters
  EXPECT_EQ(box.ideal_height(20 + 4 + 12 * 8), 20);
  EXPECT_EQ(box.ideal_height(20 + 4 + 11 * 8), 2 * 16 + 4);
}

}  // namespace
