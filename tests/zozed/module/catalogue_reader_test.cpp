#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/winnls.h"
#include "tests/zozed/module/catalogue_test_support.h"
#include "zozed/module/catalogue_reader.h"

using namespace catalogue_test;
using zozed::ComponentCatalogue;

namespace {

const std::u16string kRoot = u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\Std\\Client";
const std::u16string kShare = kRoot + u"\\TSGShare";
const std::u16string kKey = u"{126239D4-FA95-4566-A14E-2A111932D54A}";

class CatalogueReader : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_acp_ = GetACP();
    ASSERT_TRUE(platform::set_ansi_code_page(1252));
  }
  void TearDown() override { (void)platform::set_ansi_code_page(previous_acp_); }

  ComponentCatalogue read() {
    ComponentCatalogue catalogue;
    zozed::read_catalogue(catalogue, kRoot, u"\\TSGShare");
    return catalogue;
  }

  UINT previous_acp_ = 1252;
  platform::registry::ScopedStore store_;
};

TEST_F(CatalogueReader, AbsentValuesTakeTheirDefaults) {
  seed(kShare, kKey, {});
  const ComponentCatalogue catalogue = read();
  ASSERT_EQ(catalogue.size(), 1u);
  EXPECT_EQ(catalogue[0].key_name, kKey);
  const std::map<std::string, std::string> expected = {
      {"Name", "0"},          {"ToolTip", "0"},
      {"File Category", "-1"}, {"Image", "0"},
      {"Priority", "1073741823"}, {"Glyph Number", "0"},
      {"Type", ""},           {"URL", ""},
      {"SubManager", ""},     {"SubManager CLSID", "{00000000-0000-0000-0000-000000000000}"},
      {"Activity Pane", ""},  {"Toolbar", ""},
      {"Category", ""},       {"Server", ""},
      {"ComponentOptions", ""}, {"IsActivityPaneStack", "false"},
      {"Glyph Entry", ""},    {"Cfg Dir Ref", ""},
  };
  EXPECT_EQ(fields_of(catalogue[0]), expected);
  EXPECT_TRUE(catalogue[0].display_name.empty());
  EXPECT_FALSE(catalogue[0].image);
  EXPECT_FALSE(catalogue[0].sub_manager_object);
}

// Each row stores one value; exactly the field it names changes, to the text given.
TEST_F(CatalogueReader, EachValueLandsInItsFieldWhateverItsRegistryType) {
  const std::u16string long519(519, u'x');
  const std::u16string long520(520, u'x');
  struct Row {
    int line;
    RegValue value;
    std::string field;  // empty: every field keeps its default
    std::string expected;
  };
  const Row rows[] = {
      {__LINE__, dword(u"Name", 61669), "Name", "61669"},
      {__LINE__, dword(u"ToolTip", 7120), "ToolTip", "7120"},
      {__LINE__, dword(u"File Category", 61765), "File Category", "61765"},
      {__LINE__, dword(u"Image", 12), "Image", "12"},
      {__LINE__, dword(u"Priority", 1030), "Priority", "1030"},
      {__LINE__, dword(u"Priority", 0xFFFFFFFEu), "Priority", "-2"},
      {__LINE__, dword(u"Glyph Number", 6), "Glyph Number", "6"},
      {__LINE__, sz(u"Type", u"Share Publish Collection"), "Type", "Share Publish Collection"},
      {__LINE__, sz(u"URL", u"http://example.org/"), "URL", "http://example.org/"},
      {__LINE__, sz(u"Activity Pane", u"{D3D811AA-E905-4d03-89D4-343A7BB0114E}"), "Activity Pane",
       "{D3D811AA-E905-4d03-89D4-343A7BB0114E}"},
      {__LINE__, sz(u"Toolbar", u"{3771A974-AC8A-4508-A2EB-D209DC803E22}"), "Toolbar",
       "{3771A974-AC8A-4508-A2EB-D209DC803E22}"},
      {__LINE__, sz(u"Category", u"Mail"), "Category", "Mail"},
      {__LINE__, sz(u"Server", u"smtp"), "Server", "smtp"},
      {__LINE__, sz(u"ComponentOptions", u"a=1;b=2"), "ComponentOptions", "a=1;b=2"},
      {__LINE__, sz(u"Glyph Entry", u"Home_Email"), "Glyph Entry", "Home_Email"},
      {__LINE__, sz(u"Cfg Dir Ref", u"Options\\TSGShare\\{126239D4-FA95-4566-A14E-2A111932D54A}"), "Cfg Dir Ref",
       "Options\\TSGShare\\{126239D4-FA95-4566-A14E-2A111932D54A}"},
      {__LINE__, sz(u"IsActivityPaneStack", u"True"), "IsActivityPaneStack", "true"},
      {__LINE__, sz(u"IsActivityPaneStack", u"TRUE"), "IsActivityPaneStack", "true"},
      {__LINE__, sz(u"IsActivityPaneStack", u"tRUe"), "IsActivityPaneStack", "true"},
      {__LINE__, sz(u"IsActivityPaneStack", u"Yes"), "", ""},
      {__LINE__, sz(u"IsActivityPaneStack", u"True "), "", ""},
      {__LINE__, sz(u"IsActivityPaneStack", u"1"), "", ""},
      {__LINE__, dword(u"IsActivityPaneStack", 1), "", ""},
      // Strings go through the ANSI code page.
      {__LINE__, sz(u"Type", u"Caf\u00e9"), "Type", "Caf\u00e9"},
      {__LINE__, sz(u"Type", u"\u4e2d"), "Type", "?"},
      // A string of 519 characters and its terminator fills the buffer; one more does not fit.
      {__LINE__, sz(u"Type", long519), "Type", std::string(519, 'x')},
      {__LINE__, sz(u"Type", long520), "", ""},
      {__LINE__, sz(u"Glyph Entry", long520), "", ""},
      // Numbers stored as text: too long for four bytes, or read byte for byte.
      {__LINE__, sz(u"Name", u"61669"), "", ""},
      {__LINE__, sz(u"Priority", u"1000"), "", ""},
      {__LINE__, sz(u"Name", u"5"), "Name", "53"},
      {__LINE__, raw(u"Name", REG_BINARY, {0x2A, 0, 0, 0}), "Name", "42"},
      {__LINE__, raw(u"Priority", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}), "", ""},
      // Texts stored as numbers or bytes: their bytes are the text, up to the first zero.
      {__LINE__, dword(u"Type", 0x44434241), "Type", "ABCD"},
      {__LINE__, dword(u"Type", 0x00434241), "Type", "ABC"},
      {__LINE__, dword(u"Type", 0), "", ""},
      {__LINE__, raw(u"Category", REG_BINARY, {'x', 'y'}), "Category", "xy"},
      {__LINE__, raw(u"Server", REG_EXPAND_SZ, {'%', 0, 'X', 0, '%', 0, 0, 0}), "Server", "%X%"},
      {__LINE__, raw(u"Server", REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}), "Server", "a"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    platform::registry::ScopedStore store;
    seed(kShare, kKey, {row.value});
    const ComponentCatalogue catalogue = read();
    ASSERT_EQ(catalogue.size(), 1u);
    std::map<std::string, std::string> expected = default_fields();
    if (!row.field.empty()) expected[row.field] = row.expected;
    EXPECT_EQ(fields_of(catalogue[0]), expected);
  }
}

TEST_F(CatalogueReader, SubManagerIsParsedAsAClsidWhenItIsOne) {
  struct Row {
    int line;
    std::u16string text;
    std::string clsid;
  };
  const Row rows[] = {
      {__LINE__, u"{30355CD8-0A54-4ce7-838E-BF048256AF96}", "{30355CD8-0A54-4CE7-838E-BF048256AF96}"},
      {__LINE__, u"Home Page Share", "{00000000-0000-0000-0000-000000000000}"},
      {__LINE__, u"{30355CD8-0A54-4ce7-838E-BF048256AF9}", "{00000000-0000-0000-0000-000000000000}"},
      {__LINE__, u"30355CD8-0A54-4ce7-838E-BF048256AF96", "{00000000-0000-0000-0000-000000000000}"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    platform::registry::ScopedStore store;
    seed(kShare, kKey, {sz(u"SubManager", row.text)});
    const ComponentCatalogue catalogue = read();
    ASSERT_EQ(catalogue.size(), 1u);
    EXPECT_EQ(catalogue[0].sub_manager, row.text);
    EXPECT_EQ(fields_of(catalogue[0]).at("SubManager CLSID"), row.clsid);
  }
}

TEST_F(CatalogueReader, AStoredEntryIsReadWhole) {
  seed(kRoot + u"\\TSGSave", u"{F382D781-2B33-44a1-A674-5A40BAEEBE56}",
       {dword(u"Name", 61516), sz(u"Type", u"Share Save One Item"),
        sz(u"Activity Pane", u"{F382D781-2B33-44a1-A674-5A40BAEEBE56}"), sz(u"IsActivityPaneStack", u"True"),
        dword(u"Priority", 2000), sz(u"Toolbar", u"{3771A974-AC8A-4508-A2EB-D209DC803E22}")});
  ComponentCatalogue catalogue;
  zozed::read_catalogue(catalogue, kRoot, u"\\TSGSave");
  ASSERT_EQ(catalogue.size(), 1u);
  const auto& r = catalogue[0];
  EXPECT_EQ(r.key_name, u"{F382D781-2B33-44a1-A674-5A40BAEEBE56}");
  EXPECT_EQ(r.name_id, 61516u);
  EXPECT_EQ(r.type, u"Share Save One Item");
  EXPECT_EQ(r.activity_pane, u"{F382D781-2B33-44a1-A674-5A40BAEEBE56}");
  EXPECT_TRUE(r.is_activity_pane_stack);
  EXPECT_EQ(r.priority, 2000);
  EXPECT_EQ(r.toolbar, u"{3771A974-AC8A-4508-A2EB-D209DC803E22}");
}

// Subkeys come in the registry's order, by upper-cased name ("_" after the letters), which
// the sort keeps for equal priorities.
TEST_F(CatalogueReader, EntriesComeInTheRegistrysOrder) {
  for (const char16_t* key : {u"b", u"C", u"a", u"_x", u"B2"}) seed(kShare, key, {dword(u"Name", 1)});
  EXPECT_EQ(keys_of(read()), (std::vector<std::u16string>{u"a", u"b", u"B2", u"C", u"_x"}));
}

TEST_F(CatalogueReader, KeyNamesGoThroughTheAnsiCodePage) {
  seed(kShare, u"Caf\u00e9", {dword(u"Name", 1)});
  seed(kShare, u"\u4e2d\u6587", {dword(u"Name", 2)});  // no ANSI form: its "??" name opens nothing
  EXPECT_EQ(keys_of(read()), (std::vector<std::u16string>{u"Caf\u00e9"}));
}

TEST_F(CatalogueReader, OnlyTheSuffixedKeyIsRead) {
  seed(kRoot + u"\\TSGSave", u"{A}", {dword(u"Name", 1)});
  seed(kRoot + u"\\TSGShareSource", u"{B}", {dword(u"Name", 1)});
  seed(kShare, u"{C}", {dword(u"Name", 1)});
  EXPECT_EQ(keys_of(read()), (std::vector<std::u16string>{u"{C}"}));

  ComponentCatalogue none;
  zozed::read_catalogue(none, kRoot, u"");
  EXPECT_TRUE(none.empty());
}

}  // namespace
