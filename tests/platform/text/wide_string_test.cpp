// Wide strings: the CRT's functions ("C" locale, ASCII case) and the user text functions (Unicode
// simple case mapping), including the registry's ordering of names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include "platform/wide_crt.h"
#include "platform/winuser_text.h"
#include "tests/platform/text/text_test_support.h"

namespace {

using text_test::show;

TEST(WideCrt, SearchAndCompare) {
  const WCHAR* s = u"photo.backup.jpg";
  EXPECT_EQ(wcslen(s), 16u);
  EXPECT_EQ(wcschr(s, u'.'), s + 5);
  EXPECT_EQ(wcsrchr(s, u'.'), s + 12);
  EXPECT_EQ(wcschr(s, u'\0'), s + 16);  // the terminator is part of the string
  EXPECT_EQ(wcschr(s, u'x'), nullptr);
  EXPECT_EQ(wcsstr(s, u"backup"), s + 6);
  EXPECT_EQ(wcsstr(s, u""), s);
  EXPECT_EQ(wcsstr(s, u"jpeg"), nullptr);
  EXPECT_LT(wcscmp(u"abc", u"abd"), 0);
  EXPECT_LT(wcscmp(u"ab", u"abc"), 0);
  EXPECT_EQ(wcscmp(u"abc", u"abc"), 0);
  EXPECT_GT(wcscmp(u"\xFFFF", u"a"), 0);  // code units compare unsigned
  EXPECT_EQ(wcsncmp(u"abcX", u"abcY", 3), 0);
  EXPECT_LT(wcsncmp(u"abcX", u"abcY", 4), 0);
  WCHAR buffer[] = u"a.b";
  WCHAR* dot = wcschr(buffer, u'.');
  ASSERT_NE(dot, nullptr);
  *dot = u'_';  // the non-const overload hands out a writable pointer
  EXPECT_EQ(std::u16string(buffer), u"a_b");
}

// The CRT's "C" locale folds A-Z only, and _wcsicmp compares the lower-case forms.
TEST(WideCrt, CaseFoldingIsAsciiOnly) {
  EXPECT_EQ(_wcsicmp(u"IMG_0001.JPG", u"img_0001.jpg"), 0);
  EXPECT_NE(_wcsicmp(u"ÄRØ", u"ärø"), 0);
  EXPECT_LT(_wcsicmp(u"_", u"A"), 0);  // '_' < 'a'
  EXPECT_GT(_wcsicmp(u"b", u"A"), 0);
  EXPECT_EQ(_wcsnicmp(u"ABCx", u"abcy", 3), 0);
  EXPECT_NE(_wcsnicmp(u"ABCx", u"abcy", 4), 0);
  WCHAR text[] = u"ÀBC-Ärø";
  EXPECT_EQ(_wcslwr(text), text);
  EXPECT_EQ(std::u16string(text), u"Àbc-Ärø");
  EXPECT_EQ(std::u16string(_wcsupr(text)), u"ÀBC-ÄRø");
  WCHAR sized[8] = u"MiXeD";
  EXPECT_EQ(_wcslwr_s(sized), 0);
  EXPECT_EQ(std::u16string(sized), u"mixed");
  EXPECT_EQ(_wcsupr_s(sized, 8), 0);
  EXPECT_EQ(std::u16string(sized), u"MIXED");
  WCHAR unterminated[3] = {u'a', u'b', u'c'};
  EXPECT_EQ(_wcslwr_s(unterminated, 3), EINVAL);
  EXPECT_EQ(unterminated[0], 0);
  EXPECT_EQ(_wcslwr_s(nullptr, 3), EINVAL);
}

TEST(WideCrt, SecureCopies) {
  WCHAR dest[6];
  EXPECT_EQ(wcscpy_s(dest, u"hello"), 0);
  EXPECT_EQ(std::u16string(dest), u"hello");
  EXPECT_EQ(wcscpy_s(dest, u"hello!"), ERANGE);
  EXPECT_EQ(dest[0], 0);
  EXPECT_EQ(wcscpy_s(nullptr, 6, u"x"), EINVAL);
  EXPECT_EQ(wcscpy_s(dest, 6, nullptr), EINVAL);

  EXPECT_EQ(wcsncpy_s(dest, u"abcdefgh", 3), 0);
  EXPECT_EQ(std::u16string(dest), u"abc");
  EXPECT_EQ(wcsncpy_s(dest, u"abcdefgh", _TRUNCATE), STRUNCATE);
  EXPECT_EQ(std::u16string(dest), u"abcde");
  EXPECT_EQ(wcsncpy_s(dest, u"abc", _TRUNCATE), 0);
  EXPECT_EQ(std::u16string(dest), u"abc");
  EXPECT_EQ(wcsncpy_s(dest, u"abcdefgh", 6), ERANGE);
  EXPECT_EQ(dest[0], 0);

  EXPECT_EQ(wcscpy_s(dest, u"ab"), 0);
  EXPECT_EQ(wcscat_s(dest, u"cde"), 0);
  EXPECT_EQ(std::u16string(dest), u"abcde");
  EXPECT_EQ(wcscat_s(dest, u"f"), ERANGE);
  EXPECT_EQ(dest[0], 0);
  WCHAR full[2] = {u'x', u'y'};
  EXPECT_EQ(wcscat_s(full, u""), EINVAL);  // no terminator to append at
}

TEST(WideCrt, DecimalParsing) {
  struct Row { int line; const WCHAR* text; int value; bool range_error; };
  const Row rows[] = {
      {__LINE__, u"42", 42, false},                            {__LINE__, u"  -42xyz", -42, false},
      {__LINE__, u"\t+7", 7, false},                           {__LINE__, u"", 0, false},
      {__LINE__, u"abc", 0, false},                            {__LINE__, u"2147483647", INT_MAX, false},
      {__LINE__, u"-2147483648", INT_MIN, false},              {__LINE__, u"2147483648", INT_MAX, true},
      {__LINE__, u"-99999999999999999999", INT_MIN, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    errno = 0;
    EXPECT_EQ(_wtoi(row.text), row.value);
    EXPECT_EQ(errno == ERANGE, row.range_error);
    errno = 0;
    const LONG value = _wtol(row.text);
    static_assert(sizeof(value) == 4);
    EXPECT_EQ(value, row.value);
    EXPECT_EQ(errno == ERANGE, row.range_error);
  }
}

TEST(UserText, UnicodeSimpleCaseMapping) {
  struct Row { int line; std::u16string text, upper, lower; };
  const Row rows[] = {
      {__LINE__, u"Ærø.JPG", u"ÆRØ.JPG", u"ærø.jpg"},          {__LINE__, u"łódź", u"ŁÓDŹ", u"łódź"},
      {__LINE__, u"straße", u"STRAßE", u"straße"},  // simple mapping: ß has no one-character upper case
      {__LINE__, u"ÿ σς", u"Ÿ ΣΣ", u"ÿ σς"},                   {__LINE__, u"ǆ Привет", u"Ǆ ПРИВЕТ", u"ǆ привет"},
      {__LINE__, u"\U0001F600x\xD800", u"\U0001F600X\xD800", u"\U0001F600x\xD800"},  // surrogates pass
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    std::u16string text = row.text;
    EXPECT_EQ(CharUpperW(text.data()), text.data());
    EXPECT_EQ(text, row.upper) << show(text);
    text = row.text;
    CharLowerW(text.data());
    EXPECT_EQ(text, row.lower) << show(text);
  }
}

TEST(UserText, SingleCharactersAndBuffers) {
  // A "pointer" below 0x10000 is a character by value.
  const auto as_char = [](LPWSTR result) { return static_cast<WCHAR>(reinterpret_cast<std::uintptr_t>(result)); };
  EXPECT_EQ(as_char(CharLowerW(reinterpret_cast<LPWSTR>(std::uintptr_t{u'Ä'}))), u'ä');
  EXPECT_EQ(as_char(CharUpperW(reinterpret_cast<LPWSTR>(std::uintptr_t{u'ł'}))), u'Ł');
  WCHAR buffer[] = u"abc\0def";
  EXPECT_EQ(CharUpperBuffW(buffer, 5), 5u);  // runs over the NUL: the length is what counts
  EXPECT_EQ(std::u16string(buffer, 7), std::u16string(u"ABC\0Def", 7));
  EXPECT_EQ(CharLowerBuffW(buffer, 2), 2u);
  EXPECT_EQ(std::u16string(buffer, 3), u"abC");
  EXPECT_EQ(CharLowerBuffW(nullptr, 4), 0u);
}

TEST(UserText, LstrFunctions) {
  struct Row { int line; const WCHAR* a; const WCHAR* b; int cmp, cmpi; };
  const Row rows[] = {
      {__LINE__, u"abc", u"abc", 0, 0},
      {__LINE__, u"a", u"B", -1, -1},  // not ordinal: letters compare case-insensitively first
      {__LINE__, u"a", u"A", -1, 0},   // then lower before upper
      {__LINE__, u"ÄRØ", u"ärø", 1, 0},                        {__LINE__, u"ab", u"abc", -1, -1},
      {__LINE__, u"_x", u"0x", -1, -1},  // symbols before digits before letters
      {__LINE__, u"9", u"a", -1, -1},                          {__LINE__, nullptr, u"a", -1, -1},
      {__LINE__, nullptr, nullptr, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    EXPECT_EQ(lstrcmpW(row.a, row.b), row.cmp);
    EXPECT_EQ(lstrcmpW(row.b, row.a), -row.cmp);
    EXPECT_EQ(lstrcmpiW(row.a, row.b), row.cmpi);
  }
  EXPECT_EQ(lstrlenW(u"Łódź"), 4);
  EXPECT_EQ(lstrlenW(nullptr), 0);
  WCHAR out[4];
  EXPECT_EQ(lstrcpynW(out, u"abcdef", 4), out);
  EXPECT_EQ(std::u16string(out), u"abc");
  EXPECT_EQ(lstrcpynW(out, u"xy", 4), out);
  EXPECT_EQ(std::u16string(out), u"xy");
}

// The registry orders key names by their simple upper case, unlike _wcsicmp.
TEST(CompareIgnoreCase, RegistryOrder) {
  EXPECT_EQ(platform::compare_ignore_case(u"Software\\Zozed", u"SOFTWARE\\zozed"), 0);
  EXPECT_EQ(platform::compare_ignore_case(u"Łódź", u"ŁÓDŹ"), 0);
  EXPECT_GT(platform::compare_ignore_case(u"_", u"a"), 0);  // '_' > 'A'
  EXPECT_LT(_wcsicmp(u"_", u"a"), 0);
  EXPECT_LT(platform::compare_ignore_case(u"ab", u"ABC"), 0);
  EXPECT_GT(platform::compare_ignore_case(u"b", u"A"), 0);
  EXPECT_NE(platform::compare_ignore_case(u"straße", u"STRASSE"), 0);
}

TEST(CompareIgnoreCase, IsAStrictWeakOrdering) {
  const std::vector<std::u16string> names = {u"",      u"a",   u"A",   u"B",     u"_",    u"ab",   u"AB",
                                             u"aB",    u"ä",   u"Ä",   u"z",     u"Z",    u"ß",    u"Σ",
                                             u"σ",     u"ς",   u"0",   u"\xFFFF", u"\xD800", u"ÿ",  u"Ÿ"};
  const auto less = [](const std::u16string& x, const std::u16string& y) {
    return platform::compare_ignore_case(x, y) < 0;
  };
  const auto equiv = [&](const std::u16string& x, const std::u16string& y) { return !less(x, y) && !less(y, x); };
  for (const auto& x : names) {
    EXPECT_FALSE(less(x, x)) << show(x);
    for (const auto& y : names) {
      EXPECT_EQ(platform::compare_ignore_case(x, y), -platform::compare_ignore_case(y, x)) << show(x) << show(y);
      for (const auto& z : names) {
        if (less(x, y) && less(y, z)) {
          EXPECT_TRUE(less(x, z)) << show(x) << show(y) << show(z);
        }
        if (equiv(x, y) && equiv(y, z)) {
          EXPECT_TRUE(equiv(x, z)) << show(x) << show(y) << show(z);
        }
      }
    }
  }
  EXPECT_TRUE(equiv(u"ÿ", u"Ÿ"));
  EXPECT_TRUE(equiv(u"σ", u"Σ"));
  EXPECT_TRUE(equiv(u"ς", u"Σ"));
}

}  // namespace
