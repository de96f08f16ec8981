// The suite's own layouts and strings files of the two XML-described dialogs: readable without
// a warning, each tab naming a hidden page of its dialog, and every text they name present in
// their strings file. (Which controls a page holds is the file's own business.)
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "zozed/toolkit/layout/layout_reader.h"
#include "zozed/toolkit/layout/strings_file.h"

namespace zozed::layout {
namespace {

void for_each_node(const Node& node, const std::function<void(const Node&)>& visit) {
  visit(node);
  for (const auto& c : node.children) for_each_node(c, visit);
}

TEST(SuiteLayouts, TheDialogsReadWithoutWarningsTheirTabsNamePagesAndTheirTextsResolve) {
  const struct {
    const char* file;
    const char* dialog;
    std::size_t tabs;
  } kRows[] = {{"EmailOptionsDialog", "EmailOptionsDialog", 3}, {"CancelWmvConversion", "CancelWmvConversionDialog", 0}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.file);
    const std::string folder = ZOZED_SUITE_LAYOUTS;
    const auto layout = read_layout_file(folder + "/" + row.file + ".xml");
    const auto strings = read_strings_file(folder + "/" + row.file + "Strings.xml");
    EXPECT_TRUE(layout.diagnostics.empty());
    EXPECT_TRUE(strings.diagnostics.empty());
    const Node* dialog = find_named(layout.root, row.dialog);
    ASSERT_NE(dialog, nullptr);
    std::size_t tabs = 0;
    for_each_node(*dialog, [&](const Node& node) {
      for (const auto& a : node.attributes) {
        if (a.value.reference == Reference::String) {
          EXPECT_TRUE(strings.find(a.value.reference_name)) << a.value.reference_name << " at line " << node.position.line;
        }
      }
      if (node.element != "propertyArray" || node.name() != "Tabs") return;
      for (const auto& tab : node.children) {
        const Node* page = find_named(*dialog, tab.text("parameterName"));
        EXPECT_TRUE(page && !page->boolean("visible", true)) << tab.text("name") << " names no hidden page";
        ++tabs;
      }
    });
    EXPECT_EQ(tabs, row.tabs);
  }
}

}  // namespace
}  // namespace zozed::layout
