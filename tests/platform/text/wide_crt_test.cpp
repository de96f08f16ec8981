#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <string>

#include "platform/wide_crt.h"

namespace {

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
      {__LINE__, u"42", 42, false},
      {__LINE__, u"  -42xyz", -42, false},
      {__LINE__, u"\t+7", 7, false},
      {__LINE__, u"", 0, false},
      {__LINE__, u"abc", 0, false},
      {__LINE__, u"2147483647", INT_MAX, false},
      {__LINE__, u"-2147483648", INT_MIN, false},
      {__LINE__, u"2147483648", INT_MAX, true},
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

}  // namespace
