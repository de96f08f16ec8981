// Code pages: MultiByteToWideChar, WideCharToMultiByte, the round trip of each table and the
// conversions built on them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "platform/winerror.h"
#include "platform/winnls.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/text/text_test_support.h"

namespace {

using text_test::hex;
using text_test::show;

struct RoundTrip { int line; UINT code_page; std::string bytes; std::u16string text; };

// Single bytes of the western pages are checked one by one below; here whole names.
const RoundTrip kRoundTrips[] = {
    {__LINE__, 1252, "\x93quoted\x94 \x85\x80", u"\u201Cquoted\u201D \u2026\u20AC"},
    {__LINE__, 1250, "\xA3\xF3" "d\x9F.jpg", u"Łódź.jpg"},
    {__LINE__, CP_UTF8, "\xC5\x81\xC3\xB3" "d\xC5\xBA", u"Łódź"},
    {__LINE__, CP_UTF8, "\xF0\x9F\x98\x80.jpg", u"\U0001F600.jpg"},
    {__LINE__, CP_UTF8, "\xE6\x9D\xB1\xE4\xBA\xAC", u"東京"},  {__LINE__, CP_UTF8, "\xEF\xBB\xBF", u"\uFEFF"},
    {__LINE__, 932, "\x93\x8C\x8B\x9E.jpg", u"東京.jpg"},      {__LINE__, 932, "\x82\xA0\xB1", u"あ\uFF71"},
    {__LINE__, 932, "\x5C\x7E", u"\\~"},                     {__LINE__, 932, "\x87\x40", u"\u2460"},
    {__LINE__, 936, "\xB6\xAB\xBE\xA9", u"东京"},              {__LINE__, 949, "\xD4\xD4\xCC\xC8", u"東京"},
    {__LINE__, 949, "\xB5\xBF\xB0\xE6", u"동경"},              {__LINE__, 950, "\xAA\x46\xA8\xCA", u"東京"},
};

TEST(CodePageRoundTrip, BytesDecodeAndEncodeBackExactly) {
  for (const auto& row : kRoundTrips) {
    SCOPED_TRACE(testing::Message() << "line " << row.line << ", code page " << row.code_page);
    const int bytes = static_cast<int>(row.bytes.size());
    const bool utf8 = row.code_page == CP_UTF8;
    const DWORD mb_flags = utf8 ? MB_ERR_INVALID_CHARS : MB_ERR_INVALID_CHARS | MB_PRECOMPOSED;
    const int chars = MultiByteToWideChar(row.code_page, mb_flags, row.bytes.data(), bytes, nullptr, 0);
    ASSERT_EQ(chars, static_cast<int>(row.text.size()));
    std::u16string wide(static_cast<std::size_t>(chars), u'\0');
    ASSERT_EQ(MultiByteToWideChar(row.code_page, mb_flags, row.bytes.data(), bytes, wide.data(), chars), chars);
    EXPECT_EQ(wide, row.text) << show(wide);

    BOOL used = TRUE;
    const DWORD wc_flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    const int length = static_cast<int>(row.text.size());
    const auto narrow_to = [&](char* out, int size) {
      return WideCharToMultiByte(row.code_page, wc_flags, row.text.data(), length, out, size, nullptr,
                                 utf8 ? nullptr : &used);
    };
    ASSERT_EQ(narrow_to(nullptr, 0), bytes);
    std::string narrow(row.bytes.size(), '\0');
    used = TRUE;
    ASSERT_EQ(narrow_to(narrow.data(), bytes), bytes);
    EXPECT_EQ(narrow, row.bytes) << hex(narrow);
    EXPECT_EQ(used, utf8 ? TRUE : FALSE);  // untouched for UTF-8
  }
}

// Every byte of the single-byte pages decodes (1252's five holes as C1 controls) and every
// decoded character encodes back to its byte.
TEST(CodePageRoundTrip, EveryByteOfTheWesternPagesRoundTrips) {
  for (UINT code_page : {1252u, 1250u, 437u, 850u}) {
    SCOPED_TRACE(testing::Message() << "code page " << code_page);
    for (int b = 1; b < 256; ++b) {
      const char in = static_cast<char>(b);
      WCHAR c = 0;
      ASSERT_EQ(MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, &in, 1, &c, 1), 1) << "byte " << b;
      char out = 0;
      BOOL used = TRUE;
      ASSERT_EQ(WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, &c, 1, &out, 1, nullptr, &used), 1);
      EXPECT_EQ(static_cast<unsigned char>(out), b) << "character " << static_cast<unsigned>(c);
      EXPECT_EQ(used, FALSE) << "byte " << b;
    }
  }
}

TEST(CodePageRoundTrip, SymbolicCodePagesFollowTheProcessSettings) {
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(GetOEMCP(), 437u);
  char out[4] = {};
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u20AC", 1, out, 4, nullptr, nullptr), 1);
  EXPECT_EQ(out[0], '\x80');
  EXPECT_EQ(WideCharToMultiByte(CP_OEMCP, 0, u"é", 1, out, 4, nullptr, nullptr), 1);
  EXPECT_EQ(out[0], '\x82');
  EXPECT_EQ(WideCharToMultiByte(CP_MACCP, 0, u"é", 1, out, 4, nullptr, nullptr), 1);
  EXPECT_EQ(out[0], '\x8E');
  {
    text_test::ScopedAnsiCodePage acp(1250);
    EXPECT_EQ(GetACP(), 1250u);
    EXPECT_EQ(WideCharToMultiByte(CP_THREAD_ACP, 0, u"Ł", 1, out, 4, nullptr, nullptr), 1);
    EXPECT_EQ(out[0], '\xA3');
  }
  EXPECT_FALSE(platform::set_ansi_code_page(12345));
  EXPECT_FALSE(platform::set_ansi_code_page(CP_ACP));
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_TRUE(IsValidCodePage(932));
  EXPECT_TRUE(IsValidCodePage(CP_UTF8));
  EXPECT_FALSE(IsValidCodePage(12345));
  EXPECT_FALSE(IsValidCodePage(CP_ACP));
}

std::u16string widen_with(UINT code_page, DWORD flags, std::string_view bytes) {
  WCHAR out[64] = {};
  const int n = MultiByteToWideChar(code_page, flags, bytes.data(), static_cast<int>(bytes.size()), out, 64);
  return std::u16string(out, n > 0 ? static_cast<std::size_t>(n) : 0);
}

TEST(MultiByteToWideChar, IllFormedUtf8) {
  struct Row { int line; std::string bytes; std::u16string lenient; };  // one U+FFFD per maximal ill-formed part
  const Row rows[] = {
      {__LINE__, "\x80", u"\uFFFD"},
      {__LINE__, "a\xC3", u"a\uFFFD"},                              // truncated at the end
      {__LINE__, "\xC3(", u"\uFFFD("},                              // missing continuation
      {__LINE__, "\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong '/'
      {__LINE__, "\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},            // overlong NUL
      {__LINE__, "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
      {__LINE__, "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {__LINE__, "\xE6\x9D" "x", u"\uFFFDx"},                       // two of three bytes: one replacement
      {__LINE__, "\xFE\xFF", u"\uFFFD\uFFFD"},
      {__LINE__, "ok\xE6\x9D\xB1\xFFok", u"ok東\uFFFDok"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    EXPECT_EQ(widen_with(CP_UTF8, 0, row.bytes), row.lenient) << show(widen_with(CP_UTF8, 0, row.bytes));
    EXPECT_EQ(platform::from_utf8(row.bytes), row.lenient);
    const int size = static_cast<int>(row.bytes.size());
    WCHAR out[64];
    EXPECT_FAILS_WITH(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, row.bytes.data(), size, out, 64), 0,
                      ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_FAILS_WITH(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, row.bytes.data(), size, nullptr, 0), 0,
                      ERROR_NO_UNICODE_TRANSLATION);
  }
}

TEST(MultiByteToWideChar, DoubleByteInvalidSequencesAndFlags) {
  struct Row { int line; UINT code_page; DWORD flags; std::string bytes; std::u16string text; };
  const Row rows[] = {
      {__LINE__, 932, 0, "a\x82", u"a\u30FB"},                // a lead byte at the end
      {__LINE__, 932, 0, "\x82" "1", u"\u30FB" "1"},          // not a trail byte: read again on its own
      {__LINE__, 932, 0, "\x82\x41" "1", u"\u30FB" "1"},      // an unmapped pair is one character
      {__LINE__, 1252, MB_COMPOSITE, "\xE9t\xC5", u"e\u0301tA\u030A"},
      {__LINE__, 1252, MB_PRECOMPOSED, "\xE9", u"\u00E9"},
      {__LINE__, 437, MB_USEGLYPHCHARS, "\x01\x7F" "a", u"\u263A\u2302a"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(widen_with(row.code_page, row.flags, row.bytes), row.text) << "line " << row.line;
}

TEST(MultiByteToWideChar, BufferSizes) {
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, nullptr, 0), 4);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xE6\x9D\xB1", -1, nullptr, 0), 2);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xF0\x9F\x98\x80", 4, nullptr, 0), 2);  // a surrogate pair
  EXPECT_EQ(MultiByteToWideChar(932, 0, "\x93\x8C\x8B\x9E", -1, nullptr, 0), 3);
  WCHAR out[8];
  std::fill(std::begin(out), std::end(out), u'#');
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", -1, out, 4), 4);
  EXPECT_EQ(std::u16string(out), u"abc");
  std::fill(std::begin(out), std::end(out), u'#');
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, out, 8), 3);
  EXPECT_EQ(out[3], u'#');  // no terminator without -1
}

TEST(MultiByteToWideChar, FailuresSetTheLastError) {
  WCHAR out[8];
  char same[16] = "abc";
  const auto same_wide = reinterpret_cast<LPWSTR>(same);
  struct Row { int line; UINT cp; DWORD flags; const char* bytes; int length; LPWSTR dest; int size; LONG error; };
  const Row rows[] = {
      {__LINE__, 1252, 0, nullptr, 3, out, 8, ERROR_INVALID_PARAMETER},
      {__LINE__, 1252, 0, "a", 0, out, 8, ERROR_INVALID_PARAMETER},
      {__LINE__, 1252, 0, "a", -2, out, 8, ERROR_INVALID_PARAMETER},
      {__LINE__, 1252, 0, "a", 1, out, -1, ERROR_INVALID_PARAMETER},
      {__LINE__, 1252, 0, "a", 1, nullptr, 8, ERROR_INVALID_PARAMETER},
      {__LINE__, 1252, 0, same, 3, same_wide, 8, ERROR_INVALID_PARAMETER},  // overlapping buffers
      {__LINE__, 12345, 0, "a", 1, out, 8, ERROR_INVALID_PARAMETER},
      {__LINE__, CP_UTF8, MB_PRECOMPOSED, "a", 1, out, 8, ERROR_INVALID_FLAGS},
      {__LINE__, 1252, MB_PRECOMPOSED | MB_COMPOSITE, "a", 1, out, 8, ERROR_INVALID_FLAGS},
      {__LINE__, 1252, 0x100, "a", 1, out, 8, ERROR_INVALID_FLAGS},
      {__LINE__, 1252, 0, "abc", -1, out, 3, ERROR_INSUFFICIENT_BUFFER},  // no room for the terminator
      {__LINE__, CP_UTF8, 0, "abc", -1, out, 3, ERROR_INSUFFICIENT_BUFFER},
      {__LINE__, CP_UTF8, 0, "\xF0\x9F\x98\x80", 4, out, 1, ERROR_INSUFFICIENT_BUFFER},  // half a pair does not fit
      {__LINE__, 932, MB_ERR_INVALID_CHARS, "a\x82", 2, out, 8, ERROR_NO_UNICODE_TRANSLATION},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    EXPECT_FAILS_WITH(MultiByteToWideChar(row.cp, row.flags, row.bytes, row.length, row.dest, row.size), 0, row.error);
  }
}

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
      {__LINE__, 1252, kNoBestFit, u"Łódź.jpg", "?\xF3" "d?.jpg", TRUE},
      {__LINE__, 1252, 0, u"Łódź.jpg", "L\xF3" "dz.jpg", FALSE},  // best fit is not a default char
      {__LINE__, 1252, 0, u"\uFF21\uFF42.jpg", "Ab.jpg", FALSE},  // fullwidth forms
      {__LINE__, 1252, 0, u"東京.jpg", "??.jpg", TRUE},          {__LINE__, 1252, kNoBestFit, u"東京.jpg", "??.jpg", TRUE},
      {__LINE__, 1252, 0, u"a\U0001F600\U0001F601b", "a??b", TRUE},  // a surrogate pair is one character
      {__LINE__, 1252, 0, u"\xD800x", "?x", TRUE},  // lone surrogates too
      {__LINE__, 1252, 0, u"x\xDC00", "x?", TRUE},
      {__LINE__, 1250, kNoBestFit, u"Ærø.jpg", "?r?.jpg", TRUE},
      {__LINE__, 437, kNoBestFit, u"Ærø.jpg", "\x92r?.jpg", TRUE},
      {__LINE__, 932, kNoBestFit, u"Łódź.jpg", "??d?.jpg", TRUE},
      // Composite checks combine where the page has the precomposed character.
      {__LINE__, 1252, kComposite, u"e\u0301t\u00E9", "\xE9t\xE9", FALSE},
      {__LINE__, 1252, kComposite, u"A\u030A", "\xC5", FALSE}, {__LINE__, 1252, 0, u"e\u0301", "e?", TRUE},
      {__LINE__, 1252, kComposite, u"q\u0301x", "q?x", TRUE},  // WC_SEPCHARS is the default
      {__LINE__, 1252, kComposite | WC_SEPCHARS, u"q\u0301x", "q?x", TRUE},
      {__LINE__, 1252, kComposite | WC_DISCARDNS, u"q\u0301\u0302x", "qx", FALSE},
      {__LINE__, 1252, kComposite | WC_DEFAULTCHAR, u"q\u0301x", "?x", TRUE},
      {__LINE__, 1252, kComposite | WC_DEFAULTCHAR, u"e\u0301", "\xE9", FALSE},
      // UTF-8 replaces lone surrogates, unless told to fail (see the failures).
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
      {__LINE__, CP_UTF8, 0, u"ab", -1, out, 2, nullptr, false, ERROR_INSUFFICIENT_BUFFER},
      {__LINE__, 932, 0, u"東", 1, out, 1, nullptr, true, ERROR_INSUFFICIENT_BUFFER},  // half a character
      // Lone surrogates under WC_ERR_INVALID_CHARS.
      {__LINE__, CP_UTF8, WC_ERR_INVALID_CHARS, u"\xD800", 1, out, 8, nullptr, false, ERROR_NO_UNICODE_TRANSLATION},
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

TEST(StringConversion, WidenAndNarrowUseTheAnsiCodePageOrTheOneGiven) {
  bool used = true;
  EXPECT_EQ(platform::narrow(u"東京.jpg", CP_ACP, &used), "??.jpg");
  EXPECT_TRUE(used);
  {
    text_test::ScopedAnsiCodePage acp(1250);
    EXPECT_EQ(platform::widen("\xA3\xF3" "d\x9F"), u"Łódź");
    EXPECT_EQ(platform::narrow(u"Łódź", CP_ACP, &used), "\xA3\xF3" "d\x9F");
    EXPECT_FALSE(used);
  }
  EXPECT_EQ(platform::widen("\xA3"), u"£") << "1252 again";
  EXPECT_EQ(platform::widen("\x93\x8C\x8B\x9E", 932), u"東京");
  EXPECT_EQ(platform::widen("abc", 12345), u"");
  EXPECT_EQ(platform::narrow(u"abc", 12345, &used), "");
  EXPECT_FALSE(used);
  EXPECT_EQ(platform::narrow(u"a\xD800", CP_UTF8, &used), "a\xEF\xBF\xBD");
  EXPECT_TRUE(used) << "a replaced surrogate counts as used for UTF-8";
}

TEST(StringConversion, Utf8RoundTripsShortAndLongTexts) {
  std::u16string text;
  for (int k = 0; k < 3000; ++k) text += u"aé東\U0001F600";  // longer than one measuring threshold
  for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{13}, text.size()}) {
    // Cut only between characters: a pair is never split.
    std::u16string part = text.substr(0, length);
    if (!part.empty() && part.back() >= 0xD800 && part.back() <= 0xDBFF) part.pop_back();
    const std::string utf8 = platform::to_utf8(part);
    EXPECT_EQ(platform::from_utf8(utf8), part) << "length " << length;
    const int size = part.empty() ? 0 : WideCharToMultiByte(CP_UTF8, 0, part.data(), static_cast<int>(part.size()),
                                                            nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(static_cast<int>(utf8.size()), size);
  }
}

// Tables are built on first use; threads that race to that first use see one complete table.
TEST(StringConversion, FirstUseFromManyThreads) {
  const std::u16string text = u"東京 ソウル 北京";
  std::vector<std::string> results(4);
  std::vector<std::thread> threads;
  for (std::size_t k = 0; k < results.size(); ++k)
    threads.emplace_back([&, k] {
      for (int round = 0; round < 20; ++round) results[k] = platform::narrow(text, k % 2 ? 949 : 950);
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(results[0], results[2]);
  EXPECT_EQ(results[1], results[3]);
  EXPECT_EQ(platform::widen(results[1], 949), text);
}

TEST(LastError, IsPerThread) {
  SetLastError(ERROR_INVALID_FLAGS);
  DWORD seen = 1;
  std::thread([&] {
    seen = GetLastError();
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
  }).join();
  EXPECT_EQ(seen, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

}  // namespace
