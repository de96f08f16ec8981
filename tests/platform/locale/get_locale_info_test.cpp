#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/locale_profile.h"
#include "platform/winerror.h"
#include "platform/winnls.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/text/text_test_support.h"

namespace {

using text_test::show;

std::string info(LCID lcid, LCTYPE type) {
  WCHAR buffer[128] = {};
  const int n = GetLocaleInfoW(lcid, type, buffer, 128);
  if (n == 0) return "<error " + std::to_string(GetLastError()) + ">";
  if (n != static_cast<int>(std::char_traits<char16_t>::length(buffer)) + 1) return "<bad length>";
  return show(buffer);
}

struct Row { int line; LCTYPE type; const char* en_us; const char* de_de; };

const Row kRows[] = {
    {__LINE__, LOCALE_ILANGUAGE, "0409", "0407"},            {__LINE__, LOCALE_IDATE, "0", "1"},
    {__LINE__, LOCALE_ILDATE, "0", "1"},                     {__LINE__, LOCALE_IMEASURE, "1", "0"},
    {__LINE__, LOCALE_SLONGDATE, "dddd, MMMM d, yyyy", "dddd, d. MMMM yyyy"},
    {__LINE__, LOCALE_SSHORTDATE, "M/d/yyyy", "dd.MM.yyyy"}, {__LINE__, LOCALE_SYEARMONTH, "MMMM yyyy", "MMMM yyyy"},
    {__LINE__, LOCALE_SDECIMAL, ".", ","},                   {__LINE__, LOCALE_STHOUSAND, ",", "."},
    {__LINE__, LOCALE_SLIST, ",", ";"},                      {__LINE__, LOCALE_SENGLANGUAGE, "English", "German"},
    {__LINE__, LOCALE_SENGCOUNTRY, "United States", "Germany"},
    {__LINE__, LOCALE_SNATIVELANGNAME, "English", "Deutsch"},
    {__LINE__, LOCALE_SNATIVECTRYNAME, "United States", "Deutschland"},
    // The ends of each numbered range, and the empty thirteenth month.
    {__LINE__, LOCALE_SMONTHNAME1, "January", "Januar"},     {__LINE__, LOCALE_SMONTHNAME12, "December", "Dezember"},
    {__LINE__, LOCALE_SMONTHNAME13, "", ""},                 {__LINE__, LOCALE_SABBREVMONTHNAME1, "Jan", "Jan"},
    {__LINE__, LOCALE_SABBREVMONTHNAME12, "Dec", "Dez"},     {__LINE__, LOCALE_SABBREVMONTHNAME13, "", ""},
    {__LINE__, LOCALE_SDAYNAME1, "Monday", "Montag"},        {__LINE__, LOCALE_SDAYNAME7, "Sunday", "Sonntag"},
    {__LINE__, LOCALE_SABBREVDAYNAME1, "Mon", "Mo"},         {__LINE__, LOCALE_SABBREVDAYNAME7, "Sun", "So"},
    {__LINE__, LOCALE_SLONGDATE | LOCALE_NOUSEROVERRIDE, "dddd, MMMM d, yyyy", "dddd, d. MMMM yyyy"},
    {__LINE__, 0x00000003, "<error 1004>", "<error 1004>"},  // LOCALE_SABBREVLANGNAME: not answered
};

TEST(GetLocaleInfo, EachTypeForTheUsersProfile) {
  for (const auto& profile : {platform::LocaleProfile::en_us(), platform::LocaleProfile::de_de()}) {
    platform::ScopedLocaleProfile scoped(profile);
    const bool english = profile.lcid == 0x0409;
    for (const Row& row : kRows)
      for (LCID lcid : {LOCALE_USER_DEFAULT, LOCALE_SYSTEM_DEFAULT, profile.lcid})
        EXPECT_EQ(info(lcid, row.type), english ? row.en_us : row.de_de)
            << "row at line " << row.line << ", LCID " << lcid;
  }
}

TEST(GetLocaleInfo, BuiltInAndInvariantLcidsAnswerWhateverTheUsersProfile) {
  platform::ScopedLocaleProfile scoped(platform::LocaleProfile::ja_jp());
  for (const Row& row : kRows) EXPECT_EQ(info(0x0407, row.type), row.de_de) << "row at line " << row.line;
  for (const Row& row : kRows) EXPECT_EQ(info(0x0409, row.type), row.en_us) << "row at line " << row.line;
  EXPECT_EQ(info(LOCALE_USER_DEFAULT, LOCALE_ILDATE), "2");
  EXPECT_EQ(info(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME2), "2月");
  EXPECT_EQ(info(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME11), "11");
  EXPECT_EQ(info(0x0809, LOCALE_ILDATE), "1");
  EXPECT_EQ(info(0x0809, LOCALE_SENGCOUNTRY), "United Kingdom");
  EXPECT_EQ(info(0x041D, LOCALE_ILDATE), "<error 87>");  // no Swedish profile
  EXPECT_EQ(info(0x12345, LOCALE_ILDATE), "<error 87>");
  EXPECT_EQ(info(LOCALE_INVARIANT, LOCALE_ILANGUAGE), "007f");
  EXPECT_EQ(info(LOCALE_INVARIANT, LOCALE_SMONTHNAME5), "May");
  EXPECT_EQ(info(LOCALE_INVARIANT, LOCALE_SSHORTDATE), "MM/dd/yyyy");
  EXPECT_EQ(info(LOCALE_INVARIANT, LOCALE_SDECIMAL), ".");
  EXPECT_EQ(info(LOCALE_INVARIANT, LOCALE_SENGLANGUAGE), "Invariant Language");
}

TEST(GetLocaleInfo, ReturnNumberGivesADword) {
  platform::ScopedLocaleProfile scoped(platform::LocaleProfile::ja_jp());
  struct NumberRow { int line; LCTYPE type; DWORD expected; };
  const NumberRow rows[] = {
      {__LINE__, LOCALE_ILDATE, 2}, {__LINE__, LOCALE_IMEASURE, 0}, {__LINE__, LOCALE_ILANGUAGE, 0x0411},  // hex text
  };
  for (const NumberRow& row : rows) {
    SCOPED_TRACE(testing::Message() << "row at line " << row.line);
    const LCTYPE type = row.type | LOCALE_RETURN_NUMBER;
    DWORD value = 0xDEADBEEF;
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0), 2);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, type, reinterpret_cast<LPWSTR>(&value), 2), 2);
    EXPECT_EQ(value, row.expected);
    value = 0xDEADBEEF;
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, type, reinterpret_cast<LPSTR>(&value), 4), 4);
    EXPECT_EQ(value, row.expected);
  }
  WCHAR one = u'#';
  EXPECT_FAILS_WITH(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ILDATE | LOCALE_RETURN_NUMBER, &one, 1), 0,
                    ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(one, u'#');
  // A text has no number.
  WCHAR buffer[32];
  EXPECT_FAILS_WITH(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 | LOCALE_RETURN_NUMBER, buffer, 32), 0,
                    ERROR_INVALID_FLAGS);
}

TEST(GetLocaleInfo, BufferSizes) {
  platform::ScopedLocaleProfile scoped(platform::LocaleProfile::en_us());
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME9, nullptr, 0), 10);  // "September"
  WCHAR exact[10];
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME9, exact, 10), 10);
  EXPECT_EQ(show(exact), "September");

  WCHAR small[9] = u"untouchd";
  EXPECT_FAILS_WITH(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME9, small, 9), 0, ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(show(small), "untouchd");

  // An empty answer still needs its terminator.
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME13, nullptr, 0), 1);

  // The module reads the measure into a 260-character buffer.
  WCHAR measure[260];
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 260), 2);
  EXPECT_EQ(show(measure), "1");

  EXPECT_FAILS_WITH(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, nullptr, 4), 0, ERROR_INVALID_PARAMETER);
  EXPECT_FAILS_WITH(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, -2), 0, ERROR_INVALID_PARAMETER);
}

TEST(GetLocaleInfo, AnsiCountsBytesOfTheAnsiCodePage) {
  platform::ScopedLocaleProfile scoped(platform::LocaleProfile::de_de());
  // "März": four characters, four bytes in windows-1252, five in UTF-8.
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME3, nullptr, 0), 5);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME3, nullptr, 0), 5);
  char buffer[8];
  ASSERT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME3, buffer, 8), 5);
  EXPECT_STREQ(buffer, "M\xE4rz");
  text_test::ScopedAnsiCodePage utf8(CP_UTF8);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME3, nullptr, 0), 6);
  EXPECT_FAILS_WITH(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME3, buffer, 5), 0, ERROR_INSUFFICIENT_BUFFER);
  {
    platform::ScopedLocaleProfile japanese(platform::LocaleProfile::ja_jp());
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1, buffer, 8), 5);  // "1月"
    EXPECT_STREQ(buffer, "1\xE6\x9C\x88");
  }
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILDATE, buffer, 8), 2);
  EXPECT_STREQ(buffer, "1");
}

TEST(GetLocaleInfo, DefaultLcidsFollowTheProfile) {
  platform::ScopedLocaleProfile scoped(platform::LocaleProfile::en_gb());
  EXPECT_EQ(GetUserDefaultLCID(), 0x0809u);
  EXPECT_EQ(GetSystemDefaultLCID(), 0x0809u);
  EXPECT_TRUE(IsValidLocale(0x0407, LCID_SUPPORTED));
  EXPECT_FALSE(IsValidLocale(0x041D, LCID_SUPPORTED));
  EXPECT_FALSE(IsValidLocale(LOCALE_USER_DEFAULT, LCID_SUPPORTED));
}

}  // namespace
