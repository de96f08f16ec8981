#include "zozed/toolkit/xml_layout_engine.h"

#include <gtest/gtest.h>

#include "zozed/toolkit/layout/layout_reader.h"

namespace zozed::toolkit {
namespace {

struct Expected {
  int line;
  LONG left, top, right, bottom;
};

void expect_rects(const std::vector<PlacedItem>& placed, std::initializer_list<Expected> expected) {
  ASSERT_EQ(placed.size(), expected.size());
  std::size_t i = 0;
  for (const auto& e : expected) {
    SCOPED_TRACE(testing::Message() << "row at line " << e.line);
    const RECT& r = placed[i++].rect;
    EXPECT_EQ(r.left, e.left);
    EXPECT_EQ(r.top, e.top);
    EXPECT_EQ(r.right, e.right);
    EXPECT_EQ(r.bottom, e.bottom);
  }
}

const layout::Node& only_layout(const layout::LayoutDocument& doc) { return doc.root.children.at(0); }

TEST(XmlLayoutEngine, VerticalStacksWithSpacingMarginsAndStretch) {
  const auto doc = layout::read_layout_text(R"(<skin><layout orientation="Vertical">
    <margins left="10" top="5" right="10" bottom="5"/>
    <spacing width="0" height="4"/>
    <items>
      <control><geometry><size width="50" height="20"/></geometry></control>
      <control><geometry><size width="Stretch" height="Stretch"/></geometry></control>
      <control><geometry><size width="50%" height="25%"/><padding left="3" top="0" right="0" bottom="0"/></geometry></control>
    </items></layout></skin>)");
  // 200 x 110: inner 180 x 100; 20 + 4 + stretch + 4 + 25 = 100 gives the stretching item 47.
  expect_rects(place_items(only_layout(doc), 200, 110), {
                                                            {__LINE__, 10, 5, 60, 25},
                                                            {__LINE__, 10, 29, 190, 76},
                                                            {__LINE__, 13, 80, 100, 105},
                                                        });
}

TEST(XmlLayoutEngine, HorizontalAlignsRightAndCentresAcross) {
  const auto doc = layout::read_layout_text(R"(<skin><layout orientation="Horizontal" hAlignment="Right" vAlignment="Center">
    <spacing width="8" height="0"/>
    <items>
      <control><geometry><size width="80" height="20"/></geometry></control>
      <control><geometry><size width="80" height="30"/></geometry></control>
    </items></layout></skin>)");
  expect_rects(place_items(only_layout(doc), 300, 40), {
                                                           {__LINE__, 132, 10, 212, 30},
                                                           {__LINE__, 220, 5, 300, 35},
                                                       });
}

TEST(XmlLayoutEngine, StaticPlacesEachAtItsOrigin) {
  const auto doc = layout::read_layout_text(R"(<skin><layout orientation="Static">
    <items>
      <control><geometry><origin x="Right" y="Bottom"/><size width="40" height="10"/></geometry></control>
      <control><geometry><origin x="Center" y="50%"/><size width="40" height="10"/></geometry></control>
      <layout><geometry><size width="100%" height="100%"/><minimalSize width="0" height="0"/><maximalSize width="150" height="Stretch"/></geometry></layout>
    </items></layout></skin>)");
  expect_rects(place_items(only_layout(doc), 200, 100), {
                                                            {__LINE__, 160, 90, 200, 100},
                                                            {__LINE__, 80, 50, 120, 60},
                                                            {__LINE__, 0, 0, 150, 100},
                                                        });
}

TEST(XmlLayoutEngine, PreferredSizeAddsUpItems) {
  const auto doc = layout::read_layout_text(R"(<skin><layout orientation="Vertical">
    <geometry><padding left="12" top="12" right="12" bottom="12"/></geometry>
    <spacing width="0" height="10"/>
    <items>
      <control><geometry><size width="120" height="20"/></geometry></control>
      <control><geometry><size width="80" height="30"/></geometry></control>
    </items></layout></skin>)");
  const SIZE size = preferred_size(only_layout(doc));
  EXPECT_EQ(size.cx, 144);
  EXPECT_EQ(size.cy, 84);
}

}  // namespace
}  // namespace zozed::toolkit
