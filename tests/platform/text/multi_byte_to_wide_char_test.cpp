#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/winerror.h"
#include "platform/winnls.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/text/text_test_support.h"

namespace {

using text_test::show;

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
      {__LINE__, "\xF0\x9F\x98", u"\uFFFD"},
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
      {__LINE__, 437, 0, "\x01\x7F", u"\u0001\u007F"},
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
      {__LINE__, 932, 0, "abc", -1, out, 3, ERROR_INSUFFICIENT_BUFFER},
      {__LINE__, CP_UTF8, 0, "abc", -1, out, 3, ERROR_INSUFFICIENT_BUFFER},
      {__LINE__, CP_UTF8, 0, "\xF0\x9F\x98\x80", 4, out, 1, ERROR_INSUFFICIENT_BUFFER},  // half a pair does not fit
      {__LINE__, 932, MB_ERR_INVALID_CHARS, "a\x82", 2, out, 8, ERROR_NO_UNICODE_TRANSLATION},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    EXPECT_FAILS_WITH(MultiByteToWideChar(row.cp, row.flags, row.bytes, row.length, row.dest, row.size), 0, row.error);
  }
}

}  // namespace
