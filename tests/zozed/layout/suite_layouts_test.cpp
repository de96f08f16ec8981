// The suite's own layouts and strings files of the two XML-described dialogs: readable without
// a warning, holding every page, tab and control number the module looks for, with every text
// they name present in their strings file.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "zozed/toolkit/layout/layout_reader.h"
#include "zozed/toolkit/layout/strings_file.h"

namespace zozed::layout {
namespace {

const std::string kFolder = ZOZED_SUITE_LAYOUTS;

void for_each_node(const Node& node, const std::function<void(const Node&)>& visit) {
  visit(node);
  for (const auto& c : node.children) for_each_node(c, visit);
}

void expect_strings_resolve(const LayoutDocument& layout, const StringsFile& strings) {
  for_each_node(layout.root, [&](const Node& node) {
    for (const auto& a : node.attributes) {
      if (a.value.reference != Reference::String) continue;
      EXPECT_TRUE(strings.find(a.value.reference_name)) << a.value.reference_name << " at line " << node.position.line;
    }
  });
}

TEST(SuiteLayouts, EmailOptionsDialog) {
  const auto layout = read_layout_file(kFolder + "/EmailOptionsDialog.xml");
  const auto strings = read_strings_file(kFolder + "/EmailOptionsDialogStrings.xml");
  EXPECT_TRUE(layout.diagnostics.empty());
  EXPECT_TRUE(strings.diagnostics.empty());
  const Node* dialog = find_named(layout.root, "EmailOptionsDialog");
  ASSERT_NE(dialog, nullptr);

  struct Page {
    const char* name;
    const char* tab;
    std::vector<std::int32_t> controls;
  };
  const Page pages[] = {
      {"GeneralPP", "ID_General", {21728, 25257, 4579}},
      {"PhotosPP", "ID_Photos", {14096, 49184, 44094, 56854, 32405, 10981}},
      {"SlideShowPP", "ID_SlideShow", {9316, 32479, 57236, 47547, 37869}},
  };
  const Node* tabs = find_named(*dialog, "Tabs");
  ASSERT_NE(tabs, nullptr);
  const Node* tab_list = tabs->child("properties")->child("propertyArray");
  ASSERT_NE(tab_list, nullptr);
  ASSERT_EQ(tab_list->children.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const Page& page = pages[i];
    SCOPED_TRACE(page.name);
    const Node* node = find_named(*dialog, page.name);
    ASSERT_NE(node, nullptr);
    EXPECT_FALSE(node->boolean("visible", true));
    for (std::int32_t id : page.controls) EXPECT_NE(find_item(*node, id), nullptr) << id;
    EXPECT_EQ(tab_list->children[i].text("name"), page.tab);
    EXPECT_EQ(tab_list->children[i].text("parameterName"), page.name);
  }
  EXPECT_NE(find_named(*find_named(*dialog, "SlideShowPP"), "LayoutSlideShowPP"), nullptr);
  for (std::int32_t id : {1, 2, 9}) EXPECT_NE(find_item(*dialog, id), nullptr) << id;
  expect_strings_resolve(layout, strings);
}

TEST(SuiteLayouts, ConversionProgressDialog) {
  const auto layout = read_layout_file(kFolder + "/CancelWmvConversion.xml");
  const auto strings = read_strings_file(kFolder + "/CancelWmvConversionStrings.xml");
  EXPECT_TRUE(layout.diagnostics.empty());
  const Node* dialog = find_named(layout.root, "CancelWmvConversionDialog");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(find_item(*dialog, 24836)->text("progID"), "TSGSkin.ProgressBar.1");
  EXPECT_NE(find_item(*dialog, 54646), nullptr);
  EXPECT_NE(find_item(*dialog, 2), nullptr);
  expect_strings_resolve(layout, strings);
}

}  // namespace
}  // namespace zozed::layout
