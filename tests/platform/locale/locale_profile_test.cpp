#include <gtest/gtest.h>

#include <locale.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/locale_profile.h"
#include "platform/winnls.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/text/text_test_support.h"

namespace {

using platform::LocaleProfile;
using platform::LocaleProfileError;
using text_test::show;

bool installed(const char* name) {
  locale_t l = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr));
  if (l) freelocale(l);
  return l != nullptr;
}

void expect_english_us(const LocaleProfile& p, const char* what) {
  const LocaleProfile us = LocaleProfile::en_us();
  EXPECT_EQ(p.lcid, 0x0409u) << what;
  EXPECT_EQ(p.month_names, us.month_names) << what;
  EXPECT_EQ(p.abbreviated_month_names, us.abbreviated_month_names) << what;
  EXPECT_EQ(p.day_names, us.day_names) << what;
  EXPECT_EQ(p.abbreviated_day_names, us.abbreviated_day_names) << what;
  EXPECT_EQ(p.long_date_order, LocaleProfile::MonthDayYear) << what;
  EXPECT_EQ(p.measure, LocaleProfile::UnitedStates) << what;
  EXPECT_EQ(show(p.long_date), show(us.long_date)) << what;
}

// "C" is ASCII (read through iconv), "C.UTF-8" UTF-8: both have English names and no country.
TEST(LocaleProfile, FromPosixCLocales) {
  for (const char* name : {"C", "POSIX", "C.UTF-8"}) expect_english_us(LocaleProfile::from_posix_locale(name), name);
}

TEST(LocaleProfile, FromAnUninstalledPosixLocaleIsAnError) {
  try {
    (void)LocaleProfile::from_posix_locale("xx_NOWHERE.UTF-8");
    FAIL() << "no error";
  } catch (const LocaleProfileError& e) {
    EXPECT_NE(std::string(e.what()).find("xx_NOWHERE.UTF-8"), std::string::npos) << e.what();
  }
}

TEST(LocaleProfile, FromARealGermanLocale) {
  const char* name = nullptr;
  for (const char* candidate : {"de_DE.UTF-8", "de_DE.utf8", "de_DE.ISO-8859-1", "de_DE"})
    if (installed(candidate)) {
      name = candidate;
      break;
    }
  if (!name) GTEST_SKIP() << "no German POSIX locale is installed (see locale -a)";
  const LocaleProfile p = LocaleProfile::from_posix_locale(name);
  EXPECT_EQ(p.lcid, 0x0407u);
  EXPECT_EQ(show(p.month_names[2]), "März");
  EXPECT_EQ(show(p.day_names[0]), "Montag");
  EXPECT_EQ(show(p.day_names[6]), "Sonntag");
  EXPECT_EQ(show(p.short_date), "dd.MM.yyyy");
  EXPECT_EQ(p.long_date_order, LocaleProfile::DayMonthYear);
  EXPECT_EQ(p.measure, LocaleProfile::Metric);
  EXPECT_EQ(show(p.decimal_separator), ",");
  EXPECT_EQ(show(p.list_separator), ";");
}

TEST(LocaleProfile, FromEnvironmentFollowsLcAllThenLcTimeThenLang) {
  {
    platform_test::ScopedEnv all("LC_ALL", "xx_NOWHERE.UTF-8");  // not installed: the C library's "C"
    platform_test::ScopedEnv time("LC_TIME", "C.UTF-8");
    expect_english_us(LocaleProfile::from_environment(), "uninstalled LC_ALL");
  }
  {
    platform_test::ScopedEnv all("LC_ALL", nullptr);
    platform_test::ScopedEnv time("LC_TIME", nullptr);
    platform_test::ScopedEnv lang("LANG", nullptr);
    expect_english_us(LocaleProfile::from_environment(), "nothing set");
  }
  {
    platform_test::ScopedEnv all("LC_ALL", "");
    platform_test::ScopedEnv time("LC_TIME", "C.UTF-8");
    platform_test::ScopedEnv lang("LANG", "xx_NOWHERE");
    expect_english_us(LocaleProfile::from_environment(), "LC_TIME");
  }
}

TEST(LocaleProfile, ScopedProfilesNestAndRestore) {
  const LCID outer = platform::current_locale_profile()->lcid;
  {
    platform::ScopedLocaleProfile german(LocaleProfile::de_de());
    EXPECT_EQ(GetUserDefaultLCID(), 0x0407u);
    {
      platform::ScopedLocaleProfile japanese(LocaleProfile::ja_jp());
      EXPECT_EQ(GetUserDefaultLCID(), 0x0411u);
    }
    EXPECT_EQ(GetUserDefaultLCID(), 0x0407u);
  }
  EXPECT_EQ(GetUserDefaultLCID(), outer);
}

TEST(LocaleProfile, BuiltInsByName) {
  struct Row { int line; const char* name; std::optional<LCID> lcid; };
  const Row rows[] = {
      {__LINE__, "en-US", 0x0409}, {__LINE__, "en_gb", 0x0809},      {__LINE__, "DE-de", 0x0407},
      {__LINE__, "invariant", 0x007F}, {__LINE__, "sv-SE", std::nullopt}, {__LINE__, "", std::nullopt},
  };
  for (const Row& row : rows) {
    const auto p = LocaleProfile::built_in(row.name);
    ASSERT_EQ(p.has_value(), row.lcid.has_value()) << "row at line " << row.line;
    if (p) {
      EXPECT_EQ(p->lcid, *row.lcid) << "row at line " << row.line;
    }
  }
  for (const auto& p : {LocaleProfile::en_us(), LocaleProfile::en_gb(), LocaleProfile::de_de(), LocaleProfile::ja_jp()}) {
    // Each built-in's own pictures agree with the orders it declares.
    EXPECT_EQ(LocaleProfile::order_of_picture(p.long_date), p.long_date_order) << show(p.long_date);
    EXPECT_EQ(LocaleProfile::order_of_picture(p.short_date), p.short_date_order) << show(p.short_date);
    EXPECT_TRUE(p.month_names[12].empty());
  }
}

TEST(LocaleProfile, OrderOfPicture) {
  struct Row { int line; const char16_t* picture; std::optional<LocaleProfile::DateOrder> order; };
  const Row rows[] = {
      {__LINE__, u"dddd, MMMM d, yyyy", LocaleProfile::MonthDayYear},  // the day name does not count
      {__LINE__, u"dddd, d. MMMM yyyy", LocaleProfile::DayMonthYear},
      {__LINE__, u"yyyy'-'MMM'-'dd", LocaleProfile::YearMonthDay},
      {__LINE__, u"'yyyy' d/M/y", LocaleProfile::DayMonthYear},       // quoted letters are text
      {__LINE__, u"MMMM yyyy", std::nullopt},                  {__LINE__, u"", std::nullopt},
  };
  for (const Row& row : rows)
    EXPECT_EQ(LocaleProfile::order_of_picture(row.picture), row.order) << "row at line " << row.line;
}

TEST(LocaleProfile, FromJsonOverridesABase) {
  const LocaleProfile p = LocaleProfile::from_json(R"({
    "base": "de-DE",
    "measure": "us",
    "abbreviated_months": ["j1","f2","m3","a4","m5","j6","j7","a8","s9","o10","n11","d12"],
    "short_date": "yyyy-MM-dd"
  })");
  EXPECT_EQ(p.lcid, 0x0407u);
  EXPECT_EQ(p.measure, LocaleProfile::UnitedStates);
  EXPECT_EQ(show(p.abbreviated_month_names[11]), "d12");
  EXPECT_TRUE(p.abbreviated_month_names[12].empty());
  EXPECT_EQ(show(p.month_names[2]), "März");  // not overridden
  EXPECT_EQ(p.short_date_order, LocaleProfile::YearMonthDay);  // from the picture
  EXPECT_EQ(p.long_date_order, LocaleProfile::DayMonthYear);

  // The explicit order wins over the one a picture implies.
  const LocaleProfile q = LocaleProfile::from_json(
      R"({"base": "C", "long_date": "d MMMM yyyy", "date_order": "year-month-day", "months": ["1","2","3","4","5","6","7","8","9","10","11","12",""]})");
  EXPECT_EQ(q.long_date_order, LocaleProfile::YearMonthDay);
  EXPECT_EQ(q.short_date_order, LocaleProfile::YearMonthDay);
  EXPECT_EQ(show(q.long_date), "d MMMM yyyy");
  EXPECT_EQ(show(q.month_names[9]), "10");

  EXPECT_EQ(LocaleProfile::from_json(R"({"base": "en-US", "date_order": 1})").long_date_order,
            LocaleProfile::DayMonthYear);
  EXPECT_EQ(LocaleProfile::from_json(R"({"base": "ja-JP", "measure": 1})").measure, LocaleProfile::UnitedStates);
}

// The loader of machine profiles hands over its parsed JSON object.
struct FakeJson {
  std::string text;
  std::string dump() const { return text; }
};

TEST(LocaleProfile, FromJsonTakesAnyObjectThatDumpsItself) {
  EXPECT_EQ(LocaleProfile::from_json(FakeJson{R"({"base": "ja-JP"})"}).lcid, 0x0411u);
}

TEST(LocaleProfile, FromJsonBadValuesNameTheirField) {
  struct Row { int line; const char* json; const char* mentions; };
  const Row rows[] = {
      {__LINE__, R"({"base": "en-US", "date_order": 3})", "\"date_order\""},
      {__LINE__, R"({"base": "en-US", "date_order": "ymd"})", "\"date_order\""},
      {__LINE__, R"({"base": "en-US", "date_order": -1})", "\"date_order\""},
      {__LINE__, R"({"base": "en-US", "measure": 2})", "\"measure\""},
      {__LINE__, R"({"base": "en-US", "measure": "imperial"})", "\"measure\""},
      {__LINE__, R"({"base": "en-US", "months": ["a","b"]})", "\"months\""},
      {__LINE__, R"({"base": "en-US", "months": "January"})", "\"months\""},
      {__LINE__, R"({"base": "en-US", "abbreviated_months": [1,2,3,4,5,6,7,8,9,10,11,12]})", "month 1"},
      {__LINE__, R"({"base": "en-US", "abbreviated_months": ["a","","c","d","e","f","g","h","i","j","k","l"]})",
       "month 2"},
      {__LINE__, R"({"base": "en-US", "long_date": "MMMM yyyy"})", "\"long_date\""},
      {__LINE__, R"({"base": "en-US", "short_date": 12})", "\"short_date\""},
      {__LINE__, R"({"base": "xx_NOWHERE.UTF-8"})", "\"base\""},
      {__LINE__, R"({"base": 7})", "\"base\""},
      {__LINE__, R"({"base": "en-US", "measures": 0})", "\"measures\""},
      {__LINE__, R"(["en-US"])", "expected a JSON object"},    {__LINE__, R"({"base": "en-US",)", "not valid JSON"},
  };
  for (const Row& row : rows) {
    try {
      (void)LocaleProfile::from_json(row.json);
      ADD_FAILURE() << "no error, row at line " << row.line;
    } catch (const LocaleProfileError& e) {
      EXPECT_NE(std::string(e.what()).find(row.mentions), std::string::npos)
          << "row at line " << row.line << ": " << e.what();
    }
  }
}

}  // namespace
