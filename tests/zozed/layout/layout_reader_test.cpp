// Reading layout descriptions and strings files: the tree with its checked attributes, keyword
// codes, what is left out and reported with its line, and malformed documents as errors.
#include <gtest/gtest.h>

#include <string>

#include "zozed/toolkit/layout/layout_reader.h"
#include "zozed/toolkit/layout/strings_file.h"

namespace zozed::layout {
namespace {

bool has_diagnostic(const LayoutDocument& doc, const std::string& part, std::size_t line) {
  for (const auto& d : doc.diagnostics)
    if (d.message.find(part) != std::string::npos && d.position.line == line) return true;
  return false;
}

TEST(LayoutReader, ReadsTreeWithGeometryAndLayoutAttributes) {
  const auto doc = read_layout_text(R"(<skin>
  <layout orientation="Horizontal" enabled="False" name="Main" hAlignment="Spread" vAlignment="Bottom">
    <geometry>
      <origin x="Center" y="Left"/>
      <size width="Stretch" height="150%"/>
      <padding left="+4" top="-2" right="0" bottom="4px"/>
    </geometry>
    <margins left="1" top="2" right="3" bottom="4"/>
    <items>
      <control name="Box" itemID="21728" progID="Suite.CheckBox" tabOrder="3"/>
      <windowsControl name="Plain" itemID="+12" windowClassName="STATIC"/>
    </items>
  </layout>
</skin>)");
  ASSERT_EQ(doc.root.children.size(), 1u);
  const Node& layout = doc.root.children[0];
  EXPECT_EQ(layout.element, "layout");
  // Common attributes first, in reading order, whatever the order in the document. Each
  // geometry attribute is checked as its kind is (see the value tests).
  std::vector<std::string> names;
  for (const auto& a : layout.attributes) names.push_back(a.name);
  EXPECT_EQ(names, (std::vector<std::string>{"name", "enabled", "orientation", "hAlignment", "vAlignment"}));
  EXPECT_EQ(layout.name(), "Main");
  EXPECT_FALSE(layout.boolean("enabled", true));
  EXPECT_TRUE(layout.boolean("visible", true));
  EXPECT_EQ(layout.integer("orientation", -1), 1);
  EXPECT_EQ(layout.integer("hAlignment", -1), 3);
  EXPECT_EQ(layout.integer("vAlignment", -1), 1);

  const Node* geometry = layout.child("geometry");
  ASSERT_NE(geometry, nullptr);
  EXPECT_EQ(geometry->child("origin")->geometry("x"), GeometryValue::special(kCenter));
  EXPECT_EQ(geometry->child("origin")->geometry("y"), GeometryValue::absolute(50));
  EXPECT_EQ(geometry->child("size")->geometry("width"), GeometryValue::special(kStretch));
  EXPECT_EQ(geometry->child("size")->geometry("height"), GeometryValue::percent(50));
  const Node* padding = geometry->child("padding");
  EXPECT_EQ(padding->integer("left", 99), 4);
  EXPECT_EQ(padding->integer("top", 99), -2);
  EXPECT_EQ(padding->integer("bottom", 99), 99);
  EXPECT_EQ(layout.child("margins")->integer("right", 0), 3);

  const auto items = layout.items();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->integer("itemID", 0), 21728);
  EXPECT_EQ(items[0]->text("progID"), "Suite.CheckBox");
  EXPECT_EQ(find_item(doc.root, 12), items[1]);
  EXPECT_EQ(find_named(doc.root, "Box"), items[0]);
  EXPECT_EQ(find_named(doc.root, "Nothing"), nullptr);
  ASSERT_EQ(doc.diagnostics.size(), 1u);
  EXPECT_TRUE(has_diagnostic(doc, "bottom=\"4px\"", 6));
}

// Keywords match exactly: an orientation that is none of them is Static, an unknown alignment
// is left out and reported.
TEST(LayoutReader, LayoutKeywordCodes) {
  const struct {
    const char* attribute;
    const char* text;
    std::int32_t code;  // -1: not accepted
  } kRows[] = {{"orientation", "Diagonal", 2}, {"orientation", "vertical", 2}, {"hAlignment", "Top", -1},
               {"vAlignment", "Left", -1}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(std::string(row.attribute) + "=" + row.text);
    const auto doc = read_layout_text(std::string("<skin><layout ") + row.attribute + "=\"" + row.text + "\"/></skin>");
    EXPECT_EQ(doc.root.children.at(0).integer(row.attribute, -1), row.code);
    EXPECT_EQ(doc.diagnostics.empty(), row.code != -1);
  }
}

TEST(LayoutReader, RejectedBooleanKeepsDefaultAndIsReported) {
  const auto doc = read_layout_text("<skin>\n\n<splitter visible=\"true\" softSize=\"True\"/></skin>");
  const Node& splitter = doc.root.children.at(0);
  EXPECT_EQ(splitter.attribute("visible"), nullptr);
  EXPECT_TRUE(splitter.boolean("visible", true));
  EXPECT_FALSE(splitter.boolean("visible", false));
  EXPECT_TRUE(splitter.boolean("softSize", false));
  ASSERT_EQ(doc.diagnostics.size(), 1u);
  EXPECT_EQ(doc.diagnostics[0].position.column, 1u);
  EXPECT_TRUE(has_diagnostic(doc, "visible=\"true\"", 3));
}

TEST(LayoutReader, UnknownElementsAndAttributesAreLeftOutAndReported) {
  const auto doc = read_layout_text(R"(<skin>
  <layout name="Page" colour="red">
    <items>
      <button itemID="3"/>
      <control itemID="4"><margins left="1"/></control>
      <geometry/>
    </items>
    stray text
  </layout>
  <frobnicate/>
</skin>)");
  const Node& layout = doc.root.children.at(0);
  EXPECT_EQ(layout.attribute("colour"), nullptr);
  const auto items = layout.items();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_TRUE(items[0]->children.empty());
  EXPECT_EQ(doc.root.children.size(), 1u);
  EXPECT_EQ(doc.diagnostics.size(), 6u);
  for (const auto& [part, line] : {std::pair{"'colour'", 2}, {"<button>", 4}, {"<margins> is not read inside <control>", 5},
                                   {"<geometry> is not read inside <items>", 6}, {"text inside <layout>", 7},
                                   {"<frobnicate>", 10}})
    EXPECT_TRUE(has_diagnostic(doc, part, line)) << part;
}

TEST(LayoutReader, CommentsPropertiesAndTheOtherVocabularies) {
  const auto doc = read_layout_text(R"(<skin>
  <!-- the page -->
  <include fileName="Common.xml"/>
  <faceStyle name="Button" numberOfFaces="4" doAlpha="True">
    <sounds clicked="click.wav"/><lightSource x="-3" y="5" power="80"/>
  </faceStyle>
  <template name="Row"><hitObject name="Hit" hitID="2" toolTip="stringRef:Tip"><text string="stringRef:Label" hAlignment="Center"/></hitObject></template>
  <layout name="Page">
    <!-- before the items -->
    <items>
      <!-- a note --><control itemID="9"><properties>
        <property name="Caption" value="stringRef:OkText"/>
        <property name="Picture" parameterName="p">imageRef:Logo</property>
        <property name="Plain" value="just text"/>
        <propertyArray name="Entries"><property value="stringRef:One"/></propertyArray>
      </properties></control><!-- another -->
      <image name="Pic" method="Tile"/>
    </items>
  </layout>
</skin>)");
  EXPECT_TRUE(doc.diagnostics.empty());
  ASSERT_EQ(doc.root.children.size(), 4u);
  EXPECT_EQ(doc.root.children[0].text("fileName"), "Common.xml");
  EXPECT_EQ(doc.root.children[1].child("lightSource")->integer("x", 0), -3);  // an integer here, not a checked position
  const Node* hit = find_named(doc.root, "Hit");
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->child("text")->integer("hAlignment", -1), 2);
  EXPECT_EQ(hit->attribute("toolTip")->value.reference_name, "Tip");

  const Node& page = doc.root.children[3];
  ASSERT_EQ(page.children.size(), 1u) << "comments are no children";
  const auto items = page.items();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1]->integer("method", -1), 1);
  const Node* properties = items[0]->child("properties");
  ASSERT_NE(properties, nullptr);
  ASSERT_EQ(properties->children.size(), 4u);
  const Value& caption = properties->children[0].attribute("value")->value;
  EXPECT_EQ(caption.reference, Reference::String);
  EXPECT_EQ(caption.reference_name, "OkText");
  const Value& picture = properties->children[1].attribute("value")->value;
  EXPECT_EQ(picture.reference, Reference::Image);
  EXPECT_EQ(picture.reference_name, "Logo");
  EXPECT_EQ(properties->children[1].text("parameterName"), "p");
  EXPECT_EQ(properties->children[2].attribute("value")->value.reference, Reference::None);
  EXPECT_EQ(properties->children[3].children.at(0).attribute("value")->value.reference_name, "One");
}

TEST(LayoutReader, MalformedDocumentsAreErrorsWithTheirPosition) {
  const struct {
    int line;
    const char* xml;
    std::size_t error_line;
    const char* message_part;
  } kRows[] = {
      {__LINE__, "<skin>\n<layout name=\"a\">\n</skin>", 3, "malformed XML"},
      {__LINE__, "<skin>\n  <layout name=\"a></layout>\n</skin>", 2, "malformed XML"},
      {__LINE__, "<skin><layout/>\n</skin>\n<skin/>", 3, "more than one root element"},
      {__LINE__, "", 1, "No document element"},
      {__LINE__, "<!-- only a comment -->", 1, "No document element"},
      {__LINE__, "\n<layouts/>", 2, "root element is <layouts>"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    try {
      (void)read_layout_text(row.xml, "dialog.xml");
      ADD_FAILURE() << "no error";
    } catch (const LayoutError& e) {
      EXPECT_EQ(e.source(), "dialog.xml");
      EXPECT_EQ(e.position().line, row.error_line);
      EXPECT_NE(std::string(e.what()).find(row.message_part), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind("dialog.xml:" + std::to_string(row.error_line) + ":", 0), 0u) << e.what();
    }
  }
}

TEST(StringsFile, MapsIdsToTextsAndReportsWhatItLeavesOut) {
  const auto file = read_strings_text(R"(<strings>
  <!-- comment -->
  <string id="OK">OK</string>
  <string id="Size">Caf&#233; &amp; size</string>
  <string id="OK">Second</string>
  <label id="X">left out</label>
  <string>no id</string>
</strings>)");
  EXPECT_EQ(file.find("OK"), "OK");
  EXPECT_EQ(file.find("Size"), "Caf\xC3\xA9 & size");
  EXPECT_EQ(file.find("X"), std::nullopt);
  ASSERT_EQ(file.diagnostics.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(file.diagnostics[i].position.line, 5 + i);
}

TEST(StringsFile, MalformedOrForeignDocumentsAreErrors) {
  for (const char* text : {"<strings><string id=\"a\">x</strings>", "<skin/>", ""})
    EXPECT_THROW((void)read_strings_text(text), LayoutError) << text;
  EXPECT_THROW((void)read_strings_file("/nonexistent/Strings.xml"), LayoutError);
}

}  // namespace
}  // namespace zozed::layout
