#include <gtest/gtest.h>

#include <string>

#include "platform/winerror.h"
#include "platform/winnls.h"
#include "tests/platform/text/text_test_support.h"

namespace {

using text_test::hex;
using text_test::show;

struct RoundTrip { int line; UINT code_page; std::string bytes; std::u16string text; };

const RoundTrip kRoundTrips[] = {
    {__LINE__, 1252, "\x80", u"\u20AC"},
    {__LINE__, 1252, "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
    {__LINE__, 1252, "\xC6r\xF8.jpg", u"Ærø.jpg"},
    {__LINE__, 1252, "\x93quoted\x94 \x85", u"\u201Cquoted\u201D \u2026"},
    {__LINE__, 1252, "\x9F\xFF", u"\u0178\u00FF"},
    {__LINE__, 1250, "\xA3\xF3" "d\x9F.jpg", u"Łódź.jpg"},
    {__LINE__, 1250, "\x8A\x9A\xC8\xE8", u"ŠšČč"},
    {__LINE__, 437, "\x82\xE1\x9B", u"éß¢"},
    {__LINE__, 437, "\xB0\xC9\xCD", u"\u2591\u2554\u2550"},
    {__LINE__, 437, "\x01\x7F", u"\u0001\u007F"},
    {__LINE__, 850, "\x9D\xB5", u"ØÁ"},
    {__LINE__, CP_UTF8, "\xC5\x81\xC3\xB3" "d\xC5\xBA", u"Łódź"},
    {__LINE__, CP_UTF8, "\xF0\x9F\x98\x80.jpg", u"\U0001F600.jpg"},
    {__LINE__, CP_UTF8, "\xE6\x9D\xB1\xE4\xBA\xAC", u"東京"},
    {__LINE__, CP_UTF8, "\xEF\xBB\xBF", u"\uFEFF"},
    {__LINE__, 932, "\x93\x8C\x8B\x9E.jpg", u"東京.jpg"},
    {__LINE__, 932, "\x82\xA0\xB1", u"あ\uFF71"},
    {__LINE__, 932, "\x5C\x7E", u"\\~"},
    {__LINE__, 932, "\x87\x40", u"\u2460"},
    {__LINE__, 936, "\xB6\xAB\xBE\xA9", u"东京"},
    {__LINE__, 949, "\xD4\xD4\xCC\xC8", u"東京"},
    {__LINE__, 949, "\xB5\xBF\xB0\xE6", u"동경"},
    {__LINE__, 950, "\xAA\x46\xA8\xCA", u"東京"},
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

}  // namespace
