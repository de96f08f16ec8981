#include "zozed/toolkit/xml_layout_engine.h"

#include <gtest/gtest.h>

#include "zozed/toolkit/layout/layout_reader.h"

namespace zozed::toolkit {
namespace {

// The items of the document's one layout placed in width x height, as "left,top,right,bottom" each.
std::string placed(const std::string& xml, LONG width, LONG height) {
  const auto doc = layout::read_layout_text(xml);
  std::string text;
  for (const auto& item : place_items(doc.root.children.at(0), width, height)) {
    const RECT& r = item.rect;
    text += (text.empty() ? "" : "  ") + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
            std::to_string(r.right) + "," + std::to_string(r.bottom);
  }
  return text;
}

TEST(XmlLayoutEngine, VerticalStacksWithSpacingMarginsAndStretch) {
  const std::string xml = R"(<skin><layout orientation="Vertical">
    <margins left="10" top="5" right="10" bottom="5"/>
    <spacing width="0" height="4"/>
    <items>
      <control><geometry><size width="50" height="20"/></geometry></control>
      <control><geometry><size width="Stretch" height="Stretch"/></geometry></control>
      <control><geometry><size width="50%" height="25%"/><padding left="3" top="0" right="0" bottom="0"/></geometry></control>
    </items></layout></skin>)";
  // 200 x 110: inner 180 x 100; 20 + 4 + stretch + 4 + 25 = 100 gives the stretching item 47.
  EXPECT_EQ(placed(xml, 200, 110), "10,5,60,25  10,29,190,76  13,80,100,105");
}

TEST(XmlLayoutEngine, HorizontalAlignsRightAndCentresAcross) {
  const std::string xml = R"(<skin><layout orientation="Horizontal" hAlignment="Right" vAlignment="Center">
    <spacing width="8" height="0"/>
    <items>
      <control><geometry><size width="80" height="20"/></geometry></control>
      <control><geometry><size width="80" height="30"/></geometry></control>
    </items></layout></skin>)";
  EXPECT_EQ(placed(xml, 300, 40), "132,10,212,30  220,5,300,35");
}

TEST(XmlLayoutEngine, StaticPlacesEachAtItsOrigin) {
  const std::string xml = R"(<skin><layout orientation="Static">
    <items>
      <control><geometry><origin x="Right" y="Bottom"/><size width="40" height="10"/></geometry></control>
      <control><geometry><origin x="Center" y="50%"/><size width="40" height="10"/></geometry></control>
      <layout><geometry><size width="100%" height="100%"/><minimalSize width="0" height="0"/><maximalSize width="150" height="Stretch"/></geometry></layout>
    </items></layout></skin>)";
  EXPECT_EQ(placed(xml, 200, 100), "160,90,200,100  80,50,120,60  0,0,150,100");
}

TEST(XmlLayoutEngine, PreferredSizeAddsUpItems) {
  const auto doc = layout::read_layout_text(R"(<skin><layout orientation="Vertical">
    <geometry><padding left="12" top="12" right="12" bottom="12"/></geometry>
    <spacing width="0" height="10"/>
    <items>
      <control><geometry><size width="120" height="20"/></geometry></control>
      <control><geometry><size width="80" height="30"/></geometry></control>
    </items></layout></skin>)");
  const SIZE size = preferred_size(doc.root.children.at(0));
  EXPECT_EQ(size.cx, 144);
  EXPECT_EQ(size.cy, 84);
}

}  // namespace
}  // namespace zozed::toolkit
