// Reading one catalogue: every value into its field whatever its registry type, the defaults of
// absent values, the ANSI code page and the buffer sizes, and the order of the entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/zozed/module/catalogue_test_support.h"

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

  ComponentCatalogue read(const char16_t* suffix = u"\\TSGShare") {
    ComponentCatalogue catalogue;
    zozed::read_catalogue(catalogue, kRoot, suffix);
    return catalogue;
  }

  UINT previous_acp_ = 1252;
  platform::registry::ScopedStore store_;
};

// The other tests compare whole records with the defaults; the ones that matter are spelt out.
TEST_F(CatalogueReader, AbsentValuesTakeTheirDefaults) {
  seed(kShare, kKey, {});
  const ComponentCatalogue catalogue = read();
  ASSERT_EQ(catalogue.size(), 1u);
  EXPECT_EQ(catalogue[0].key_name, kKey);
  auto fields = fields_of(catalogue[0]);
  EXPECT_EQ(fields, fields_of(zozed::ComponentRecord{}));
  EXPECT_EQ(fields["Name"] + " " + fields["File Category"] + " " + fields["Priority"] + " " + fields["IsActivityPaneStack"],
            "0 -1 1073741823 false");
}

// Each row stores one value; exactly the field of that name changes, to the text given, or
// none does.
TEST_F(CatalogueReader, EachValueLandsInItsFieldWhateverItsRegistryType) {
  const std::u16string long519(519, u'x');
  const std::u16string long520(520, u'x');
  const std::string read519(519, 'x');
  const char* const kUnchanged = nullptr;
  struct Row {
    int line;
    const char16_t* name;
    RegValue value;
    const char* expected;
  };
  const Row rows[] = {
      {__LINE__, u"Name", dword(61669), "61669"},
      {__LINE__, u"ToolTip", dword(7120), "7120"},
      {__LINE__, u"File Category", dword(61765), "61765"},
      {__LINE__, u"Image", dword(12), "12"},
      {__LINE__, u"Priority", dword(0xFFFFFFFEu), "-2"},
      {__LINE__, u"Glyph Number", dword(6), "6"},
      {__LINE__, u"Type", sz(u"Share Publish Collection"), "Share Publish Collection"},
      {__LINE__, u"URL", sz(u"http://example.org/"), "http://example.org/"},
      {__LINE__, u"Activity Pane", sz(u"{D3D811AA-E905-4d03-89D4-343A7BB0114E}"), "{D3D811AA-E905-4d03-89D4-343A7BB0114E}"},
      {__LINE__, u"Toolbar", sz(u"{3771A974-AC8A-4508-A2EB-D209DC803E22}"), "{3771A974-AC8A-4508-A2EB-D209DC803E22}"},
      {__LINE__, u"Category", sz(u"Mail"), "Mail"},
      {__LINE__, u"Server", sz(u"smtp"), "smtp"},
      {__LINE__, u"ComponentOptions", sz(u"a=1;b=2"), "a=1;b=2"},
      {__LINE__, u"Glyph Entry", sz(u"Home_Email"), "Home_Email"},
      {__LINE__, u"Cfg Dir Ref", sz(u"Options\\TSGShare\\{1}"), "Options\\TSGShare\\{1}"},
      {__LINE__, u"IsActivityPaneStack", sz(u"tRUe"), "true"},
      {__LINE__, u"IsActivityPaneStack", sz(u"True "), kUnchanged},
      {__LINE__, u"IsActivityPaneStack", dword(1), kUnchanged},
      // Strings go through the ANSI code page.
      {__LINE__, u"Type", sz(u"Caf\u00e9"), "Caf\u00e9"},
      {__LINE__, u"Type", sz(u"\u4e2d"), "?"},
      // A string of 519 characters and its terminator fills the buffer; one more does not fit.
      {__LINE__, u"Type", sz(long519), read519.c_str()},
      {__LINE__, u"Type", sz(long520), kUnchanged},
      // Numbers stored as text: too long for four bytes, or read byte for byte.
      {__LINE__, u"Name", sz(u"61669"), kUnchanged},  // twelve bytes
      {__LINE__, u"Name", sz(u"5"), "53"},
      {__LINE__, u"Name", {REG_BINARY, {0x2A, 0, 0, 0}}, "42"},
      {__LINE__, u"Priority", {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}}, kUnchanged},
      // Texts stored as numbers or bytes: their bytes are the text, up to the first zero.
      {__LINE__, u"Type", dword(0x44434241), "ABCD"},
      {__LINE__, u"Type", dword(0x00434241), "ABC"},
      {__LINE__, u"Category", {REG_BINARY, {'x', 'y'}}, "xy"},
      {__LINE__, u"Server", {REG_EXPAND_SZ, {'%', 0, 'X', 0, '%', 0, 0, 0}}, "%X%"},
      {__LINE__, u"Server", {REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}}, "a"},
  };
  const auto defaults = fields_of(zozed::ComponentRecord{});
  for (const Row& row : rows) {
    SCOPED_TRACE("row at line " + std::to_string(row.line));
    platform::registry::ScopedStore store;
    seed(kShare, kKey, {{row.name, row.value}});
    const ComponentCatalogue catalogue = read();
    ASSERT_EQ(catalogue.size(), 1u);
    auto expected = defaults;
    if (row.expected) expected[platform::to_utf8(row.name)] = row.expected;
    EXPECT_EQ(fields_of(catalogue[0]), expected);
  }
}

TEST_F(CatalogueReader, SubManagerIsParsedAsAClsidWhenItIsOne) {
  const char* const kNone = "{00000000-0000-0000-0000-000000000000}";
  const std::pair<const char16_t*, const char*> rows[] = {
      {u"{30355CD8-0A54-4ce7-838E-BF048256AF96}", "{30355CD8-0A54-4CE7-838E-BF048256AF96}"},
      {u"{30355CD8-0A54-4ce7-838E-BF048256AF9}", kNone},
      {u"30355CD8-0A54-4ce7-838E-BF048256AF96", kNone},
  };
  for (const auto& [text, clsid] : rows) {
    SCOPED_TRACE(platform::to_utf8(text));
    platform::registry::ScopedStore store;
    seed(kShare, kKey, {{u"SubManager", sz(text)}});
    const ComponentCatalogue catalogue = read();
    ASSERT_EQ(catalogue.size(), 1u);
    EXPECT_EQ(catalogue[0].sub_manager, text);
    EXPECT_EQ(fields_of(catalogue[0]).at("SubManager CLSID"), clsid);
  }
}

// Subkeys come in the registry's order, by upper-cased name ("_" after the letters), which the
// sort keeps for equal priorities; key names go through the ANSI code page.
TEST_F(CatalogueReader, EntriesComeInTheRegistrysOrderUnderTheirAnsiNames) {
  for (const char16_t* key : {u"b", u"C", u"a", u"_x", u"B2", u"Caf\u00e9"}) seed(kShare, key, {{u"Name", dword(1)}});
  seed(kShare, u"\u4e2d\u6587", {{u"Name", dword(2)}});  // no ANSI form: its "??" name opens nothing
  EXPECT_EQ(keys_of(read()), (std::vector<std::u16string>{u"a", u"b", u"B2", u"C", u"Caf\u00e9", u"_x"}));
}

TEST_F(CatalogueReader, OnlyTheSuffixedKeyIsRead) {
  seed(kRoot + u"\\TSGSave", u"{A}", {{u"Name", dword(1)}});
  seed(kRoot + u"\\TSGShareSource", u"{B}", {{u"Name", dword(1)}});
  seed(kShare, u"{C}", {{u"Name", dword(1)}});
  EXPECT_EQ(keys_of(read()), (std::vector<std::u16string>{u"{C}"}));
  EXPECT_EQ(keys_of(read(u"\\TSGSave")), (std::vector<std::u16string>{u"{A}"}));
  EXPECT_TRUE(read(u"").empty());
}

}  // namespace
