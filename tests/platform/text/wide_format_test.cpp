#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <string>

#include "platform/wide_crt.h"
#include "platform/winuser_text.h"
#include "tests/platform/text/text_test_support.h"

namespace {

using platform::format_host_text;
using text_test::show;

std::u16string crt(const WCHAR* format, ...) {
  WCHAR buffer[256];
  va_list args;
  va_start(args, format);
  const int n = vswprintf_s(buffer, 256, format, args);
  va_end(args);
  return n < 0 ? u"<failed>" : std::u16string(buffer, static_cast<std::size_t>(n));
}

TEST(WideFormat, CrtConversions) {
  struct Row { int line; std::u16string got, expected; };
  const Row rows[] = {
      {__LINE__, crt(u"%d|%i", 42, -7), u"42|-7"},
      {__LINE__, crt(u"[%5d][%-5d][%05d]", 42, 42, 42), u"[   42][42   ][00042]"},
      {__LINE__, crt(u"%05ld", LONG{-42}), u"-0042"},
      {__LINE__, crt(u"%ld %s", LONG{INT32_MIN}, u"next"), u"-2147483648 next"},  // 'l' reads 32 bits
      {__LINE__, crt(u"%lu", ULONG{4294967295u}), u"4294967295"},
      {__LINE__, crt(u"%x %X %08X %#x", 255, 0xABCDu, 0x1234, 255), u"ff ABCD 00001234 0xff"},
      {__LINE__, crt(u"%+d % d %.3d %.0d|", 5, 5, 7, 0), u"+5  5 007 |"},
      {__LINE__, crt(u"%I64d %lld", LONGLONG{-9000000000}, LONGLONG{9000000000}), u"-9000000000 9000000000"},
      {__LINE__, crt(u"%I64u %I64X", ULONGLONG{18446744073709551615u}, ULONGLONG{0xABCDEF0123}),
       u"18446744073709551615 ABCDEF0123"},
      {__LINE__, crt(u"%hd %hu", 70000, 70000), u"4464 4464"}, {__LINE__, crt(u"%c%c%C", u'Ł', u'ó', 'd'), u"Łód"},
      {__LINE__, crt(u"%s|%ls|%ws", u"wide", u"ls", u"ws"), u"wide|ls|ws"},
      {__LINE__, crt(u"%S|%hs", "narrow", "hs"), u"narrow|hs"},
      {__LINE__, crt(u"%S", "\xE9"), u"\u00E9"},  // "C" locale: byte for byte
      {__LINE__, crt(u"[%10s][%-6s][%.3s][%6.2s]", u"ab", u"ab", u"abcdef", u"xyz"),
       u"[        ab][ab    ][abc][    xy]"},
      {__LINE__, crt(u"%s %S", static_cast<const WCHAR*>(nullptr), static_cast<const char*>(nullptr)),
       u"(null) (null)"},
      {__LINE__, crt(u"100%% %d%%", 5), u"100% 5%"},
      {__LINE__, crt(u"[%*d][%-*d][%.*s]", 5, 42, 4, 1, 2, u"abc"), u"[   42][1   ][ab]"},
      {__LINE__, crt(u"[%*d]", -4, 7), u"[7   ]"},
      {__LINE__, crt(u"%.2f %e %g", 3.14159, 12345.678, 0.5), u"3.14 1.234568e+04 0.5"},
      {__LINE__, crt(u"%08.3f", -3.14159), u"-003.142"},
      {__LINE__, crt(u"%p", reinterpret_cast<void*>(std::uintptr_t{0xBEEF})), u"000000000000BEEF"},
      {__LINE__, crt(u"%o %#o", 8, 8), u"10 010"},             {__LINE__, crt(u"trailing %"), u"trailing %"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.got, row.expected) << "line " << row.line << ": " << show(row.got);
}

TEST(WideFormat, SecureFormattingChecksItsBuffer) {
  WCHAR buffer[6];
  EXPECT_EQ(swprintf_s(buffer, u"%d", 12345), 5);
  EXPECT_EQ(std::u16string(buffer), u"12345");
  errno = 0;
  EXPECT_EQ(swprintf_s(buffer, u"%d", 123456), -1);  // the terminator does not fit
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(errno, ERANGE);
  EXPECT_EQ(swprintf_s(nullptr, 6, u"x"), -1);
  EXPECT_EQ(swprintf_s(buffer, 6, nullptr), -1);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(_snwprintf_s(buffer, _TRUNCATE, u"%s", u"abcdefgh"), -1);
  EXPECT_EQ(std::u16string(buffer), u"abcde");
  EXPECT_EQ(_snwprintf_s(buffer, _TRUNCATE, u"%s", u"abcde"), 5);
  EXPECT_EQ(std::u16string(buffer), u"abcde");
  EXPECT_EQ(_snwprintf_s(buffer, 6, 3, u"%s", u"abcdef"), -1);  // count limits, below the size
  EXPECT_EQ(std::u16string(buffer), u"abc");
  EXPECT_EQ(_snwprintf_s(buffer, 6, 3, u"%s", u"ab"), 2);
  EXPECT_EQ(std::u16string(buffer), u"ab");
  errno = 0;
  EXPECT_EQ(_snwprintf_s(buffer, 6, 10, u"%s", u"abcdefgh"), -1);  // count beyond the size
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(errno, ERANGE);
}

int counted(const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = _vscwprintf(format, args);
  va_end(args);
  return n;
}

TEST(WideFormat, CountWithoutWriting) {
  EXPECT_EQ(counted(u"%s-%05ld", u"abc", LONG{-42}), 9);
  EXPECT_EQ(counted(u""), 0);
  EXPECT_EQ(counted(nullptr), -1);
}

TEST(WideFormat, WsprintfStopsAt1024Characters) {
  std::u16string long_text(2000, u'x');
  std::u16string buffer(1100, u'#');
  EXPECT_EQ(wsprintfW(buffer.data(), u"%s", long_text.c_str()), 1023);
  EXPECT_EQ(buffer[1022], u'x');
  EXPECT_EQ(buffer[1023], u'\0');
  EXPECT_EQ(buffer[1024], u'#');
  EXPECT_EQ(wsprintfW(buffer.data(), u"%s=%ld (%S)", u"count", LONG{-3}, "ok"), 13);
  EXPECT_EQ(std::u16string(buffer.c_str()), u"count=-3 (ok)");
  text_test::ScopedAnsiCodePage acp(1250);
  EXPECT_EQ(wsprintfW(buffer.data(), u"%S", "\xA3\xF3" "d\x9F"), 4);  // %S is ANSI text here
  EXPECT_EQ(std::u16string(buffer.c_str()), u"Łódź");
}

TEST(FormatHostText, ChecksEveryArgument) {
  struct Row { int line; std::u16string got, expected; };
  const std::u16string album = u"Album";
  const std::u16string_view whole = u"%d items%d", text = u"abcdef";
  int value = 0;
  const Row rows[] = {
      {__LINE__, format_host_text(u"%s has %d items", album, 3), u"Album has 3 items"},
      {__LINE__, format_host_text(u"%d of %d: %s", 1), u"1 of %d: %s"},
      {__LINE__, format_host_text(u"%s and %s"), u"%s and %s"},
      {__LINE__, format_host_text(u"%*d", 4), u"%*d"},         {__LINE__, format_host_text(u"%*d|", 4, 7), u"   7|"},
      {__LINE__, format_host_text(u"%s|%d", 42, 43), u"%s|43"},  // wrong kind
      {__LINE__, format_host_text(u"%d|%s", u"text", u"x"), u"%d|x"},
      {__LINE__, format_host_text(u"%u %x", -1, -1), u"4294967295 ffffffff"},
      {__LINE__, format_host_text(u"%d %d", DWORD{0xFFFFFFFF}, WORD{0xFFFF}), u"-1 65535"},
      {__LINE__, format_host_text(u"%u", SHORT{-1}), u"4294967295"},
      {__LINE__, format_host_text(u"%I64d %lld", LONGLONG{-9000000000}, ULONGLONG{5}), u"-9000000000 5"},
      {__LINE__, format_host_text(u"%S|%hs", std::string("ansi"), "lit"), u"ansi|lit"},
      {__LINE__, format_host_text(u"%S", "\xC6r\xF8"), u"Ærø"},  // ANSI 1252
      {__LINE__, format_host_text(u"%c%c", u'Ł', 'x'), u"Łx"},
      {__LINE__, format_host_text(u"[%s]", nullptr), u"[(null)]"},
      {__LINE__, format_host_text(u"[%s]", static_cast<const WCHAR*>(nullptr)), u"[(null)]"},
      {__LINE__, format_host_text(u"%.1f%%", 99.95), u"100.0%"},
      {__LINE__, format_host_text(u"%d %s", 1, 2, 3), u"1 %s"},
      {__LINE__, format_host_text(u"%q %d", 5), u"%q 5"},
      {__LINE__, format_host_text(whole.substr(0, 8), 5), u"5 items"},  // the format need not be terminated
      {__LINE__, format_host_text(whole.substr(0, 1), 5), u"%"},
      {__LINE__, format_host_text(u"<%s>", text.substr(1, 3)), u"<bcd>"},
      {__LINE__, format_host_text(u"%p", &value), crt(u"%p", static_cast<void*>(&value))},
  };
  for (const auto& row : rows) EXPECT_EQ(row.got, row.expected) << "line " << row.line << ": " << show(row.got);
}

}  // namespace
