#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/zozed/module/catalogue_test_support.h"
#include "zozed/module/catalogue_reader.h"

using namespace catalogue_test;
using zozed::ComponentCatalogue;

namespace {

const std::u16string kStd = u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\Std\\Client";
const std::u16string kPlus = u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\StdPlus\\Client";
const std::u16string kPro = u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\Pro\\Client";
const std::u16string kSuffix = u"\\TSGShare";

class CatalogueMerge : public ::testing::Test {
 protected:
  // Roots answered by index from the list, then empty.
  ComponentCatalogue load(std::vector<std::u16string> roots) {
    ComponentCatalogue catalogue;
    zozed::load_catalogue(
        catalogue, [&](int index) { return index < static_cast<int>(roots.size()) ? roots[index] : std::u16string(); },
        kSuffix);
    return catalogue;
  }

  platform::registry::ScopedStore store_;
};

TEST_F(CatalogueMerge, AMissingRootContributesNothingAndDisturbsNothing) {
  seed(kStd + kSuffix, u"{A}", {{u"Name", dword(1)}, {u"Priority", dword(10)}});
  seed(kPro + kSuffix, u"{B}", {{u"Name", dword(2)}, {u"Priority", dword(5)}});
  const ComponentCatalogue catalogue = load({kStd, kPlus, kPro});
  EXPECT_EQ(keys_of(catalogue), (std::vector<std::u16string>{u"{B}", u"{A}"}));
  EXPECT_EQ(catalogue.find(u"{A}")->name_id, 1u);
}

// Values the later key does not name fall back to the defaults, not to the earlier ones; the
// entry keeps its place among equal priorities.
TEST_F(CatalogueMerge, ARedefinitionWithANameReplacesTheEntryWhole) {
  for (const char16_t* key : {u"{A}", u"{K}", u"{Z}"}) seed(kStd + kSuffix, key, {{u"Name", dword(1)}});
  seed(kStd + kSuffix, u"{K}",
       {{u"Name", dword(1)}, {u"Type", sz(u"old")}, {u"Toolbar", sz(u"{T}")}, {u"File Category", dword(9)},
        {u"IsActivityPaneStack", sz(u"True")}});
  seed(kPlus + kSuffix, u"{K}", {{u"Name", dword(2)}, {u"URL", sz(u"new")}});

  const ComponentCatalogue catalogue = load({kStd, kPlus});
  EXPECT_EQ(keys_of(catalogue), (std::vector<std::u16string>{u"{A}", u"{K}", u"{Z}"}));
  auto expected = fields_of(zozed::ComponentRecord{});
  expected["Name"] = "2";
  expected["URL"] = "new";
  EXPECT_EQ(fields_of(*catalogue.find(u"{K}")), expected);
}

TEST_F(CatalogueMerge, ARedefinitionWithoutANameRemovesTheEntry) {
  seed(kStd + kSuffix, u"{A}", {{u"Name", dword(1)}});
  seed(kStd + kSuffix, u"{K}", {{u"Name", dword(1)}, {u"Priority", dword(3)}});
  seed(kPlus + kSuffix, u"{K}", {{u"Type", sz(u"x")}, {u"Priority", dword(1)}});
  seed(kPro + kSuffix, u"{B}", {{u"Name", dword(0)}});  // new, so kept even without a name
  EXPECT_EQ(keys_of(load({kStd, kPlus, kPro})), (std::vector<std::u16string>{u"{A}", u"{B}"}));
  // Removed means gone: a third root redefining it adds it afresh, at the end.
  seed(kPro + kSuffix, u"{K}", {{u"Name", dword(4)}});
  EXPECT_EQ(keys_of(load({kStd, kPlus, kPro})), (std::vector<std::u16string>{u"{A}", u"{B}", u"{K}"}));
}

TEST_F(CatalogueMerge, KeyNamesDifferingInCaseAreDistinctEntries) {
  seed(kStd + kSuffix, u"{abc}", {{u"Name", dword(1)}});
  seed(kPlus + kSuffix, u"{ABC}", {{u"Name", dword(2)}});
  seed(kPro + kSuffix, u"{Abc}", {});  // no Name, but it matches nothing, so it is added
  const ComponentCatalogue catalogue = load({kStd, kPlus, kPro});
  EXPECT_EQ(keys_of(catalogue), (std::vector<std::u16string>{u"{abc}", u"{ABC}", u"{Abc}"}));
  EXPECT_EQ(catalogue.find(u"{abc}")->name_id, 1u);
  EXPECT_EQ(catalogue.find(u"{ABC}")->name_id, 2u);
}

// Without Priority an entry sorts at 1073741823: after everything below, before everything
// above, and in enumeration order among its equals.
TEST_F(CatalogueMerge, EntriesWithoutPriorityFollowEveryLowerPriority) {
  const std::u16string c = kStd + kSuffix;
  seed(c, u"a_none", {{u"Name", dword(1)}});
  seed(c, u"b_max", {{u"Name", dword(1)}, {u"Priority", dword(0x7FFFFFFF)}});
  seed(c, u"c_below", {{u"Name", dword(1)}, {u"Priority", dword(1073741822)}});
  seed(c, u"d_none", {{u"Name", dword(1)}});
  seed(c, u"e_negative", {{u"Name", dword(1)}, {u"Priority", dword(0x80000000u)}});
  seed(c, u"f_explicit", {{u"Name", dword(1)}, {u"Priority", dword(1073741823)}});
  seed(c, u"g_low", {{u"Name", dword(1)}, {u"Priority", dword(1000)}});
  EXPECT_EQ(keys_of(load({kStd})), (std::vector<std::u16string>{u"e_negative", u"g_low", u"c_below", u"a_none",
                                                                 u"d_none", u"f_explicit", u"b_max"}));
}

// A later root's entry, and a redefinition with a new priority, take their places by priority.
TEST_F(CatalogueMerge, TheListIsResortedAfterEachRoot) {
  seed(kStd + kSuffix, u"{A}", {{u"Name", dword(1)}, {u"Priority", dword(10)}});
  seed(kStd + kSuffix, u"{B}", {{u"Name", dword(1)}, {u"Priority", dword(20)}});
  seed(kPlus + kSuffix, u"{C}", {{u"Name", dword(1)}, {u"Priority", dword(15)}});
  seed(kPro + kSuffix, u"{A}", {{u"Name", dword(1)}, {u"Priority", dword(30)}});
  EXPECT_EQ(keys_of(load({kStd, kPlus, kPro})), (std::vector<std::u16string>{u"{C}", u"{B}", u"{A}"}));
}

// Y moved ahead of X when the first root was sorted; raised to X's priority later, it stays
// there, where a single sort at the end would have put it back behind X.
TEST_F(CatalogueMerge, EqualPrioritiesKeepTheOrderOfThePreviousSort) {
  seed(kStd + kSuffix, u"{X}", {{u"Name", dword(1)}, {u"Priority", dword(5)}});
  seed(kStd + kSuffix, u"{Y}", {{u"Name", dword(1)}, {u"Priority", dword(1)}});
  seed(kPlus + kSuffix, u"{Y}", {{u"Name", dword(2)}, {u"Priority", dword(5)}});
  EXPECT_EQ(keys_of(load({kStd, kPlus})), (std::vector<std::u16string>{u"{Y}", u"{X}"}));
}

TEST_F(CatalogueMerge, LoadingStopsAtTheFirstEmptyRoot) {
  seed(kStd + kSuffix, u"{A}", {{u"Name", dword(1)}});
  seed(kPro + kSuffix, u"{B}", {{u"Name", dword(1)}});
  EXPECT_EQ(keys_of(load({kStd, u"", kPro})), (std::vector<std::u16string>{u"{A}"}));
}

TEST_F(CatalogueMerge, AtMostAThousandRootsAreAskedFor) {
  seed(kStd + kSuffix, u"{A}", {{u"Name", dword(1)}});
  int asked = 0;
  ComponentCatalogue catalogue;
  const auto roots = [&](int index) {
    EXPECT_EQ(index, asked++);
    return kStd;
  };
  zozed::load_catalogue(catalogue, roots, kSuffix);
  EXPECT_EQ(asked, 1000);
  EXPECT_EQ(keys_of(catalogue), (std::vector<std::u16string>{u"{A}"}));
}

}  // namespace
