#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "platform/winerror.h"
#include "platform/winnls.h"
#include "tests/platform/text/text_test_support.h"

namespace {

using text_test::hex;

struct Narrowed {
  int result;
  std::string bytes;
  BOOL used;
};

Narrowed narrow_with(UINT code_page, DWORD flags, std::u16string_view text, LPCSTR default_char = nullptr) {
  Narrowed n{0, std::string(64, '\0'), -1};
  n.result = WideCharToMultiByte(code_page, flags, text.data(), static_cast<int>(text.size()), n.bytes.data(), 64,
                                 default_char, &n.used);
  n.bytes.resize(n.result > 0 ? static_cast<std::size_t>(n.result) : 0);
  return n;
}

// The e-mail hand-off asks whether a file name survives the ANSI code page; this is that answer.
TEST(WideCharToMultiByte, UsedDefaultCharForFileNames) {
  struct Row {
    int line;
    UINT code_page;
    DWORD flags;
    std::u16string name;
    std::string bytes;
    BOOL used;
  };
  const Row rows[] = {
      {__LINE__, 1252, 0, u"Ærø.jpg", "\xC6r\xF8.jpg", FALSE},
      {__LINE__, 1252, WC_NO_BEST_FIT_CHARS, u"Ærø.jpg", "\xC6r\xF8.jpg", FALSE},
      {__LINE__, 1252, WC_NO_BEST_FIT_CHARS, u"résumé.jpg", "r\xE9sum\xE9.jpg", FALSE},
      {__LINE__, 1252, WC_NO_BEST_FIT_CHARS, u"Łódź.jpg", "?\xF3" "d?.jpg", TRUE},
      {__LINE__, 1252, 0, u"Łódź.jpg", "L\xF3" "dz.jpg", FALSE},  // best fit is not a default char
      {__LINE__, 1252, 0, u"Ā.jpg", "A.jpg", FALSE},
      {__LINE__, 1252, WC_NO_BEST_FIT_CHARS, u"Ā.jpg", "?.jpg", TRUE},
      {__LINE__, 1252, 0, u"\uFF21\uFF42.jpg", "Ab.jpg", FALSE},  // fullwidth forms
      {__LINE__, 1252, 0, u"東京.jpg", "??.jpg", TRUE},
      {__LINE__, 1252, WC_NO_BEST_FIT_CHARS, u"東京.jpg", "??.jpg", TRUE},
      {__LINE__, 1252, 0, u"\U0001F600.jpg", "?.jpg", TRUE},  // a surrogate pair is one character
      {__LINE__, 1252, 0, u"a\U0001F600\U0001F601b", "a??b", TRUE},
      {__LINE__, 1252, 0, u"\xD800x", "?x", TRUE},  // lone surrogates too
      {__LINE__, 1252, 0, u"x\xDC00", "x?", TRUE},
      {__LINE__, 1250, WC_NO_BEST_FIT_CHARS, u"Łódź.jpg", "\xA3\xF3" "d\x9F.jpg", FALSE},
      {__LINE__, 1250, WC_NO_BEST_FIT_CHARS, u"Ærø.jpg", "?r?.jpg", TRUE},
      {__LINE__, 437, WC_NO_BEST_FIT_CHARS, u"Ærø.jpg", "\x92r?.jpg", TRUE},
      {__LINE__, 932, WC_NO_BEST_FIT_CHARS, u"東京.jpg", "\x93\x8C\x8B\x9E.jpg", FALSE},
      {__LINE__, 932, WC_NO_BEST_FIT_CHARS, u"Łódź.jpg", "??d?.jpg", TRUE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    const Narrowed n = narrow_with(row.code_page, row.flags, row.name);
    EXPECT_EQ(n.result, static_cast<int>(row.bytes.size()));
    EXPECT_EQ(n.bytes, row.bytes) << hex(n.bytes);
    EXPECT_EQ(n.used, row.used);
    // The size query gives the same answer, as callers check with it before converting.
    BOOL used = -1;
    EXPECT_EQ(WideCharToMultiByte(row.code_page, row.flags, row.name.data(), static_cast<int>(row.name.size()),
                                  nullptr, 0, nullptr, &used),
              static_cast<int>(row.bytes.size()));
    EXPECT_EQ(used, row.used);
  }
}

TEST(WideCharToMultiByte, DefaultCharIsTheCallersChoice) {
  Narrowed n = narrow_with(1252, 0, u"東.jpg", "_");
  EXPECT_EQ(n.bytes, "_.jpg");
  EXPECT_EQ(n.used, TRUE);
  n = narrow_with(932, 0, u"\U0001F600", "\x81\x45");  // a double-byte default in a double-byte page
  EXPECT_EQ(n.bytes, "\x81\x45");
  EXPECT_EQ(n.used, TRUE);
}

TEST(WideCharToMultiByte, CompositeCheck) {
  struct Row {
    int line;
    DWORD flags;
    std::u16string text;
    std::string bytes;
    BOOL used;
  };
  const Row rows[] = {
      {__LINE__, WC_COMPOSITECHECK, u"e\u0301t\u00E9", "\xE9t\xE9", FALSE},
      {__LINE__, WC_COMPOSITECHECK, u"A\u030A", "\xC5", FALSE},
      {__LINE__, 0, u"e\u0301", "e?", TRUE},
      {__LINE__, WC_COMPOSITECHECK, u"q\u0301x", "q?x", TRUE},  // WC_SEPCHARS is the default
      {__LINE__, WC_COMPOSITECHECK | WC_SEPCHARS, u"q\u0301x", "q?x", TRUE},
      {__LINE__, WC_COMPOSITECHECK | WC_DISCARDNS, u"q\u0301\u0302x", "qx", FALSE},
      {__LINE__, WC_COMPOSITECHECK | WC_DEFAULTCHAR, u"q\u0301x", "?x", TRUE},
      {__LINE__, WC_COMPOSITECHECK | WC_DEFAULTCHAR, u"e\u0301", "\xE9", FALSE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    const Narrowed n = narrow_with(1252, row.flags, row.text);
    EXPECT_EQ(n.bytes, row.bytes) << hex(n.bytes);
    EXPECT_EQ(n.used, row.used);
  }
}

TEST(WideCharToMultiByte, Utf8SurrogateHandling) {
  struct Row {
    int line;
    std::u16string text;
    std::string bytes;
  };
  const Row rows[] = {
      {__LINE__, u"\U0001F600", "\xF0\x9F\x98\x80"},
      {__LINE__, u"\xD800", "\xEF\xBF\xBD"},
      {__LINE__, u"a\xDC00z", "a\xEF\xBF\xBDz"},
      {__LINE__, u"\xDC00\xD800", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {__LINE__, u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    char out[16] = {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, row.text.data(), static_cast<int>(row.text.size()), out,
                                      sizeof out, nullptr, nullptr);
    EXPECT_EQ(std::string(out, n > 0 ? n : 0), row.bytes) << hex(std::string(out, n > 0 ? n : 0));
    const bool lone = row.bytes.find("\xEF\xBF\xBD") != std::string::npos;
    SetLastError(0);
    const int strict = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, row.text.data(),
                                           static_cast<int>(row.text.size()), out, sizeof out, nullptr, nullptr);
    if (lone) {
      EXPECT_EQ(strict, 0);
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    } else {
      EXPECT_EQ(strict, static_cast<int>(row.bytes.size()));
    }
  }
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
  // An explicit length converts no terminator.
  std::fill(std::begin(out), std::end(out), '#');
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"abc", 3, out, 8, nullptr, nullptr), 3);
  EXPECT_EQ(out[3], '#');
  // One byte short: nothing, and the reason.
  for (UINT code_page : {1252u, 932u, static_cast<UINT>(CP_UTF8)}) {
    SCOPED_TRACE(testing::Message() << "code page " << code_page);
    SetLastError(0);
    BOOL used = 7;
    BOOL* used_ptr = code_page == CP_UTF8 ? nullptr : &used;
    EXPECT_EQ(WideCharToMultiByte(code_page, 0, u"ab", -1, out, 2, nullptr, used_ptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(used, 7);  // left alone on failure
  }
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"東", 1, out, 1, nullptr, nullptr), 0);  // half a character
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(WideCharToMultiByte, RejectsBadArgumentsAndFlags) {
  char out[8];
  BOOL used = FALSE;
  struct Row {
    int line;
    std::function<int()> call;
    LONG error;
  };
  const Row rows[] = {
      {__LINE__, [&] { return WideCharToMultiByte(1252, 0, nullptr, 3, out, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {__LINE__, [&] { return WideCharToMultiByte(1252, 0, u"a", 0, out, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {__LINE__, [&] { return WideCharToMultiByte(1252, 0, u"a", -2, out, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {__LINE__, [&] { return WideCharToMultiByte(1252, 0, u"a", 1, out, -1, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {__LINE__, [&] { return WideCharToMultiByte(1252, 0, u"a", 1, nullptr, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {__LINE__, [&] { return WideCharToMultiByte(12345, 0, u"a", 1, out, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {__LINE__, [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 1, out, 8, nullptr, &used); },
       ERROR_INVALID_PARAMETER},
      {__LINE__, [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 1, out, 8, "?", nullptr); },
       ERROR_INVALID_PARAMETER},
      {__LINE__, [&] { return WideCharToMultiByte(CP_UTF8, WC_NO_BEST_FIT_CHARS, u"a", 1, out, 8, nullptr, nullptr); },
       ERROR_INVALID_FLAGS},
      {__LINE__, [&] { return WideCharToMultiByte(CP_UTF8, WC_COMPOSITECHECK, u"a", 1, out, 8, nullptr, nullptr); },
       ERROR_INVALID_FLAGS},
      {__LINE__, [&] { return WideCharToMultiByte(1252, WC_ERR_INVALID_CHARS, u"a", 1, out, 8, nullptr, nullptr); },
       ERROR_INVALID_FLAGS},
      {__LINE__, [&] { return WideCharToMultiByte(1252, 0x8000, u"a", 1, out, 8, nullptr, nullptr); },
       ERROR_INVALID_FLAGS},
      {__LINE__,
       [&] {
         return WideCharToMultiByte(1252, WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS, u"a", 1, out, 8, nullptr,
                                    nullptr);
       },
       ERROR_INVALID_FLAGS},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    SetLastError(0);
    EXPECT_EQ(row.call(), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(row.error));
  }
}

}  // namespace
