#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/winnls.h"
#include "tests/platform/registry/registry_test_support.h"
#include "tests/platform/text/text_test_support.h"

using namespace registry_test;

namespace {

class RegistryAnsi : public ::testing::Test {
 protected:
  void SetUp() override { key_ = create(HKEY_CURRENT_USER, u"Software\\Ansi"); }
  void TearDown() override { RegCloseKey(key_); }

  // The value's data through RegQueryValueExA, sized by a first call.
  std::string query_a(const char* name, DWORD& type) {
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size), ERROR_SUCCESS) << name;
    std::string data(size, '\0');
    EXPECT_EQ(RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size),
              ERROR_SUCCESS);
    data.resize(size);
    return data;
  }

  text_test::ScopedAnsiCodePage acp_{1252};
  platform::registry::ScopedStore store_;
  HKEY key_ = nullptr;
};

// Text written through W comes back through A in the ANSI code page, and the reverse.
TEST_F(RegistryAnsi, StringsConvertWithTheAnsiCodePage) {
  struct Row { int line; UINT code_page; std::u16string wide; std::string ansi; bool fits; };  // both terminated
  const Row rows[] = {
      {__LINE__, 1252, u"Caf\u00e9 \u20ac5", std::string("Caf\xe9 \x80" "5\0", 8), true},  // in 1252: é, €
      {__LINE__, 1252, u"\u0142\u00f3d\u017a", std::string("l\xf3" "dz\0", 5), false},  // best fit: ł→l, ź→z
      {__LINE__, 1252, u"\u4e2d\u6587", std::string("??\0", 3), false},               // nothing fits
      {__LINE__, 1252, u"", std::string("\0", 1), true},
      {__LINE__, 932, u"\u4e2d\u6587", std::string("\x92\x86\x95\xb6\0", 5), true},  // two bytes a character
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    ASSERT_TRUE(platform::set_ansi_code_page(row.code_page));
    set_sz(key_, u"Text", row.wide);
    DWORD type = 0;
    EXPECT_EQ(query_a("Text", type), row.ansi) << "the size is the ANSI byte count";
    EXPECT_EQ(type, REG_SZ);
    if (!row.fits) continue;
    // Written through A, the same bytes are stored as UTF-16.
    ASSERT_EQ(RegSetValueExA(key_, "Back", 0, REG_SZ, reinterpret_cast<const BYTE*>(row.ansi.data()),
                             static_cast<DWORD>(row.ansi.size())),
              ERROR_SUCCESS);
    std::u16string wide(64, u'\0');
    DWORD size = static_cast<DWORD>(wide.size() * 2);
    ASSERT_EQ(RegQueryValueExW(key_, u"Back", nullptr, nullptr, reinterpret_cast<BYTE*>(wide.data()), &size),
              ERROR_SUCCESS);
    wide.resize(size / 2);
    EXPECT_EQ(wide, row.wide + u'\0');
  }
}

TEST_F(RegistryAnsi, SizesAreAnsiBytesAndAShortBufferGetsOnlyTheSize) {
  set_sz(key_, u"Path", u"C:\\Caf\u00e9");  // 7 characters + terminator: 16 bytes wide, 8 ANSI
  struct Row { int line; bool with_buffer; DWORD given; LONG rc; };
  const Row rows[] = {
      {__LINE__, false, 0, ERROR_SUCCESS}, {__LINE__, true, 7, ERROR_MORE_DATA}, {__LINE__, true, 8, ERROR_SUCCESS},
      {__LINE__, true, 15, ERROR_SUCCESS},  // room for the wide form is not needed
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    char buffer[260];
    std::memset(buffer, 0x7F, sizeof buffer);
    DWORD size = row.given;
    DWORD type = 0;
    const auto data = row.with_buffer ? reinterpret_cast<BYTE*>(buffer) : nullptr;
    EXPECT_EQ(RegQueryValueExA(key_, "path", nullptr, &type, data, &size), row.rc);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(type, REG_SZ);
    if (row.rc == ERROR_SUCCESS && row.with_buffer) {
      EXPECT_STREQ(buffer, "C:\\Caf\xe9");
    } else {
      EXPECT_EQ(buffer[0], 0x7F) << "nothing delivered";
    }
  }
  // Written through A without a terminator, none is stored; read back, one follows uncounted.
  ASSERT_EQ(RegSetValueExA(key_, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3), ERROR_SUCCESS);
  DWORD size = 0;
  ASSERT_EQ(RegQueryValueExW(key_, u"Bare", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u) << "three characters of UTF-16, no terminator added";
  char text[8];
  std::memset(text, 'x', sizeof text);
  size = sizeof text;
  ASSERT_EQ(RegQueryValueExA(key_, "Bare", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(std::string(text, 4), std::string("abc\0", 4));
}

TEST_F(RegistryAnsi, OtherTypesPassUnconvertedOrStayUnexpanded) {
  const DWORD number = 0x00E90041;  // would read as "A\xe9" if it were taken for text
  ASSERT_EQ(RegSetValueExA(key_, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);
  const BYTE raw[] = {0x41, 0x00, 0xE9, 0x00};
  ASSERT_EQ(RegSetValueExA(key_, "Raw", 0, REG_BINARY, raw, 4), ERROR_SUCCESS);
  DWORD type = 0;
  for (const char* name : {"Number", "Raw"}) EXPECT_EQ(query_a(name, type), std::string("A\0\xe9\0", 4)) << name;
  // A DWORD read with a 4-byte buffer does not look at the stored type: a short string fits.
  ASSERT_EQ(RegSetValueExA(key_, "Short", 0, REG_SZ, reinterpret_cast<const BYTE*>("ab"), 3), ERROR_SUCCESS);
  DWORD value = 0;
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key_, "Short", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);

  const std::u16string expand = u"%TEMP%\\\u00e9";
  ASSERT_EQ(RegSetValueExW(key_, u"Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand.c_str()),
                           static_cast<DWORD>((expand.size() + 1) * 2)),
            ERROR_SUCCESS);
  const char16_t multi[] = u"one\0tw\u00e9\0";  // two strings and the closing empty one
  ASSERT_EQ(RegSetValueExW(key_, u"Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi),
            ERROR_SUCCESS);
  EXPECT_EQ(query_a("Expand", type), std::string("%TEMP%\\\xe9\0", 9));
  EXPECT_EQ(type, REG_EXPAND_SZ);
  EXPECT_EQ(query_a("Multi", type), std::string("one\0tw\xe9\0\0", 9));
  EXPECT_EQ(type, REG_MULTI_SZ);
}

TEST_F(RegistryAnsi, NamesConvertBothWays) {
  HKEY sub = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(key_, "Caf\xe9", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_QUERY_VALUE | KEY_SET_VALUE,
                            nullptr, &sub, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  set_sz(sub, u"\u00c9t\u00e9", u"x");
  EXPECT_EQ(open_rc(key_, u"CAF\u00c9"), ERROR_SUCCESS) << "an A name matches its W form, without case";

  char name[16];
  DWORD length = sizeof name;
  ASSERT_EQ(RegEnumKeyExA(key_, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::string(name, length), "Caf\xe9");
  length = 4;  // "Café" needs 5 with its terminator
  EXPECT_EQ(RegEnumKeyExA(key_, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);

  length = sizeof name;
  DWORD type = 0;
  char data[4];
  DWORD size = sizeof data;
  ASSERT_EQ(RegEnumValueA(sub, 0, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
  EXPECT_EQ(std::string(name, length), "\xc9t\xe9");
  EXPECT_EQ(size, 2u);
  EXPECT_STREQ(data, "x");
  size = 1;
  length = sizeof name;
  EXPECT_EQ(RegEnumValueA(sub, 0, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(data), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 2u);

  EXPECT_EQ(RegDeleteValueA(sub, "\xc9T\xc9"), ERROR_SUCCESS);
  RegCloseKey(sub);
  EXPECT_EQ(RegDeleteKeyA(key_, "caf\xc9"), ERROR_SUCCESS);
  EXPECT_EQ(open_rc(key_, u"Caf\u00e9"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryAnsi, OpenKeyAWithoutSubkeyAnswersTheSameHandle) {
  HKEY same = nullptr;
  EXPECT_EQ(RegOpenKeyA(key_, nullptr, &same), ERROR_SUCCESS);
  EXPECT_EQ(same, key_);
  EXPECT_EQ(RegOpenKeyA(key_, "", &same), ERROR_SUCCESS);
  EXPECT_EQ(same, key_);
  HKEY opened = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "software\\ANSI", &opened), ERROR_SUCCESS);
  EXPECT_NE(opened, key_);
  const DWORD one = 1;
  EXPECT_EQ(RegSetValueExA(opened, "One", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS)
      << "RegOpenKeyA opens with every right";
  RegCloseKey(opened);
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Absent", &opened), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(opened, nullptr);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Ansi", 0, KEY_READ, &opened), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(opened, "One", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_ACCESS_DENIED);
  RegCloseKey(opened);
}

}  // namespace
