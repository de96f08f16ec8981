#include <gtest/gtest.h>

#include "zozed/toolkit/layout/strings_file.h"

namespace zozed::layout {
namespace {

TEST(StringsFile, MapsIdsToTexts) {
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
  EXPECT_EQ(file.diagnostics[0].position.line, 5u);
  EXPECT_EQ(file.diagnostics[1].position.line, 6u);
  EXPECT_EQ(file.diagnostics[2].position.line, 7u);
}

TEST(StringsFile, MalformedOrForeignDocumentsAreErrors) {
  EXPECT_THROW((void)read_strings_text("<strings><string id=\"a\">x</strings>"), LayoutError);
  EXPECT_THROW((void)read_strings_text("<skin/>"), LayoutError);
  EXPECT_THROW((void)read_strings_text(""), LayoutError);
  EXPECT_THROW((void)read_strings_file("/nonexistent/Strings.xml"), LayoutError);
}

}  // namespace
}  // namespace zozed::layout
