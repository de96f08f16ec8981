#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/winerror.h"
#include "platform/winnls.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/text/text_test_support.h"

namespace {

using text_test::hex;

struct Narrowed { int result; std::string bytes; BOOL used; };

// UTF-8 takes no "used default char" flag.
Narrowed narrow_with(UINT code_page, DWORD flags, std::u16string_view text, LPCSTR default_char = nullptr) {
  Narrowed n{0, std::string(64, '\0'), FALSE};
  n.result = WideCharToMultiByte(code_page, flags, text.data(), static_cast<int>(text.size()), n.bytes.data(), 64,
                                 default_char, code_page == CP_UTF8 ? nullptr : &n.used);
  n.bytes.resize(n.result > 0 ? static_cast<std::size_t>(n.result) : 0);
  return n;
}

// The e-mail hand-off asks whether a file name survives the ANSI code page; this is that answer.
// (Names that fit exactly are in the round-trip table.)
TEST(WideCharToMultiByte, BytesAndUsedDefaultChar) {
  struct Row { int line; UINT code_page; DWORD flags; std::u16string text; std::string bytes; BOOL used; };
  constexpr DWORD kNoBestFit = WC_NO_BEST_FIT_CHARS;
  constexpr DWORD kComposite = WC_COMPOSITECHECK;
  const Row rows[] = {
      {__LINE__, 1252, 0, u"Ærø.jpg", "\xC6r\xF8.jpg", FALSE},
      {__LINE__, 1252, kNoBestFit, u"résumé.jpg", "r\xE9sum\xE9.jpg", FALSE},
      {__LINE__, 1252, kNoBestFit, u"Łódź.jpg", "?\xF3" "d?.jpg", TRUE},
      {__LINE__, 1252, 0, u"Łódź.jpg", "L\xF3" "dz.jpg", FALSE},  // best fit is not a default char
      {__LINE__, 1252, 0, u"Ā.jpg", "A.jpg", FALSE},
      {__LINE__, 1252, kNoBestFit, u"Ā.jpg", "?.jpg", TRUE},
      {__LINE__, 1252, 0, u"\uFF21\uFF42.jpg", "Ab.jpg", FALSE},  // fullwidth forms
      {__LINE__, 1252, 0, u"東京.jpg", "??.jpg", TRUE},
      {__LINE__, 1252, kNoBestFit, u"東京.jpg", "??.jpg", TRUE},
      {__LINE__, 1252, 0, u"\U0001F600.jpg", "?.jpg", TRUE},  // a surrogate pair is one character
      {__LINE__, 1252, 0, u"a\U0001F600\U0001F601b", "a??b", TRUE},
      {__LINE__, 1252, 0, u"\xD800x", "?x", TRUE},  // lone surrogates too
      {__LINE__, 1252, 0, u"x\xDC00", "x?", TRUE},
      {__LINE__, 1250, kNoBestFit, u"Ærø.jpg", "?r?.jpg", TRUE},
      {__LINE__, 437, kNoBestFit, u"Ærø.jpg", "\x92r?.jpg", TRUE},
      {__LINE__, 932, kNoBestFit, u"Łódź.jpg", "??d?.jpg", TRUE},
      // Composite checks combine where the page has the precomposed character.
      {__LINE__, 1252, kComposite, u"e\u0301t\u00E9", "\xE9t\xE9", FALSE},
      {__LINE__, 1252, kComposite, u"A\u030A", "\xC5", FALSE},
      {__LINE__, 1252, 0, u"e\u0301", "e?", TRUE},
      {__LINE__, 1252, kComposite, u"q\u0301x", "q?x", TRUE},  // WC_SEPCHARS is the default
      {__LINE__, 1252, kComposite | WC_SEPCHARS, u"q\u0301x", "q?x", TRUE},
      {__LINE__, 1252, kComposite | WC_DISCARDNS, u"q\u0301\u0302x", "qx", FALSE},
      {__LINE__, 1252, kComposite | WC_DEFAULTCHAR, u"q\u0301x", "?x", TRUE},
      {__LINE__, 1252, kComposite | WC_DEFAULTCHAR, u"e\u0301", "\xE9", FALSE},
      // UTF-8 replaces lone surrogates, unless told to fail (see the failures).
      {__LINE__, CP_UTF8, 0, u"\U0001F600", "\xF0\x9F\x98\x80", FALSE},
      {__LINE__, CP_UTF8, WC_ERR_INVALID_CHARS, u"\U0001F600", "\xF0\x9F\x98\x80", FALSE},
      {__LINE__, CP_UTF8, 0, u"\xD800", "\xEF\xBF\xBD", FALSE},
      {__LINE__, CP_UTF8, 0, u"a\xDC00z", "a\xEF\xBF\xBDz", FALSE},
      {__LINE__, CP_UTF8, 0, u"\xDC00\xD800", "\xEF\xBF\xBD\xEF\xBF\xBD", FALSE},
      {__LINE__, CP_UTF8, 0, u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80", FALSE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    const Narrowed n = narrow_with(row.code_page, row.flags, row.text);
    EXPECT_EQ(n.result, static_cast<int>(row.bytes.size()));
    EXPECT_EQ(n.bytes, row.bytes) << hex(n.bytes);
    EXPECT_EQ(n.used, row.used);
    // The size query gives the same answer, as callers check with it before converting.
    BOOL used = FALSE;
    EXPECT_EQ(WideCharToMultiByte(row.code_page, row.flags, row.text.data(), static_cast<int>(row.text.size()),
                                  nullptr, 0, nullptr, row.code_page == CP_UTF8 ? nullptr : &used),
              static_cast<int>(row.bytes.size()));
    EXPECT_EQ(used, row.used);
  }
  // The default char is the caller's choice, a double-byte one in a double-byte page too.
  Narrowed n = narrow_with(1252, 0, u"東.jpg", "_");
  EXPECT_EQ(n.bytes, "_.jpg");
  EXPECT_EQ(n.used, TRUE);
  n = narrow_with(932, 0, u"\U0001F600", "\x81\x45");
  EXPECT_EQ(n.bytes, "\x81\x45");
  EXPECT_EQ(n.used, TRUE);
}

TEST(WideCharToMultiByte, BufferSizes) {
  // -1 counts the terminator, in the query and in the conversion.
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"abc", -1, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"東京", -1, nullptr, 0, nullptr, nullptr), 5);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"東京", -1, nullptr, 0, nullptr, nullptr), 7);
  char out[8];
  std::fill(std::begin(out), std::end(out), '#');
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"abc", -1, out, 4, nullptr, nullptr), 4);
  EXPECT_STREQ(out, "abc");
  std::fill(std::begin(out), std::end(out), '#');  // an explicit length converts no terminator
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"abc", 3, out, 8, nullptr, nullptr), 3);
  EXPECT_EQ(out[3], '#');
}

TEST(WideCharToMultiByte, FailuresSetTheLastErrorAndLeaveUsedAlone) {
  char out[8];
  struct Row { int line; UINT cp; DWORD flags; const WCHAR* text; int length; LPSTR dest; int size; LPCSTR def;
               bool with_used; LONG error; };
  constexpr LONG kBadParameter = ERROR_INVALID_PARAMETER;
  constexpr LONG kBadFlags = ERROR_INVALID_FLAGS;
  constexpr DWORD kBadCombination = WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS;
  const Row rows[] = {
      {__LINE__, 1252, 0, nullptr, 3, out, 8, nullptr, false, kBadParameter},
      {__LINE__, 1252, 0, u"a", 0, out, 8, nullptr, false, kBadParameter},
      {__LINE__, 1252, 0, u"a", -2, out, 8, nullptr, false, kBadParameter},
      {__LINE__, 1252, 0, u"a", 1, out, -1, nullptr, false, kBadParameter},
      {__LINE__, 1252, 0, u"a", 1, nullptr, 8, nullptr, false, kBadParameter},
      {__LINE__, 12345, 0, u"a", 1, out, 8, nullptr, false, kBadParameter},
      {__LINE__, CP_UTF8, 0, u"a", 1, out, 8, nullptr, true, kBadParameter},
      {__LINE__, CP_UTF8, 0, u"a", 1, out, 8, "?", false, kBadParameter},
      {__LINE__, CP_UTF8, WC_NO_BEST_FIT_CHARS, u"a", 1, out, 8, nullptr, false, kBadFlags},
      {__LINE__, CP_UTF8, WC_COMPOSITECHECK, u"a", 1, out, 8, nullptr, false, kBadFlags},
      {__LINE__, 1252, WC_ERR_INVALID_CHARS, u"a", 1, out, 8, nullptr, false, kBadFlags},
      {__LINE__, 1252, 0x8000, u"a", 1, out, 8, nullptr, false, kBadFlags},
      {__LINE__, 1252, kBadCombination, u"a", 1, out, 8, nullptr, false, kBadFlags},
      // One byte short: nothing, and the reason.
      {__LINE__, 1252, 0, u"ab", -1, out, 2, nullptr, true, ERROR_INSUFFICIENT_BUFFER},
      {__LINE__, 932, 0, u"ab", -1, out, 2, nullptr, true, ERROR_INSUFFICIENT_BUFFER},
      {__LINE__, CP_UTF8, 0, u"ab", -1, out, 2, nullptr, false, ERROR_INSUFFICIENT_BUFFER},
      {__LINE__, 932, 0, u"東", 1, out, 1, nullptr, true, ERROR_INSUFFICIENT_BUFFER},  // half a character
      // Lone surrogates under WC_ERR_INVALID_CHARS.
      {__LINE__, CP_UTF8, WC_ERR_INVALID_CHARS, u"\xD800", 1, out, 8, nullptr, false, ERROR_NO_UNICODE_TRANSLATION},
      {__LINE__, CP_UTF8, WC_ERR_INVALID_CHARS, u"a\xDC00z", 3, out, 8, nullptr, false, ERROR_NO_UNICODE_TRANSLATION},
      {__LINE__, CP_UTF8, WC_ERR_INVALID_CHARS, u"\xDC00\xD800", 2, out, 8, nullptr, false,
       ERROR_NO_UNICODE_TRANSLATION},
      {__LINE__, CP_UTF8, WC_ERR_INVALID_CHARS, u"\xD83D\xD83D\xDE00", 3, out, 8, nullptr, false,
       ERROR_NO_UNICODE_TRANSLATION},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    BOOL used = 7;
    EXPECT_FAILS_WITH(WideCharToMultiByte(row.cp, row.flags, row.text, row.length, row.dest, row.size, row.def,
                                          row.with_used ? &used : nullptr),
                      0, row.error);
    EXPECT_EQ(used, 7);  // left alone on failure
  }
}

}  // namespace
