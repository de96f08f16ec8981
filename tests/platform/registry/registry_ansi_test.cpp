#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/winnls.h"
#include "tests/platform/registry/registry_test_support.h"

using namespace registry_test;

namespace {

class RegistryAnsi : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_acp_ = GetACP();
    ASSERT_TRUE(platform::set_ansi_code_page(1252));
    key_ = create(HKEY_CURRENT_USER, u"Software\\Ansi");
  }
  void TearDown() override {
    RegCloseKey(key_);
    (void)platform::set_ansi_code_page(previous_acp_);
  }

  void set_wide(const char16_t* name, const std::u16string& text) { set_sz(key_, name, text); }

  std::vector<BYTE> query_a(const char* name, DWORD& type, LONG& rc) {
    DWORD size = 0;
    rc = RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size);
    std::vector<BYTE> data(size);
    if (rc == ERROR_SUCCESS) rc = RegQueryValueExA(key_, name, nullptr, &type, data.data(), &size);
    data.resize(size);
    return data;
  }

  UINT previous_acp_ = 1252;
  platform::registry::ScopedStore store_;
  HKEY key_ = nullptr;
};

std::string bytes_text(const std::vector<BYTE>& b) { return std::string(b.begin(), b.end()); }

// Text written through W comes back through A in the ANSI code page, and the reverse.
TEST_F(RegistryAnsi, StringsConvertWithTheAnsiCodePage) {
  struct Row {
    int line;
    UINT code_page;
    std::u16string wide;  // written through W with its terminator
    std::string ansi;     // expected through A, terminator included
  };
  const Row rows[] = {
      {__LINE__, 1252, u"plain", std::string("plain\0", 6)},
      {__LINE__, 1252, u"Caf\u00e9 \u20ac5", std::string("Caf\xe9 \x80" "5\0", 8)},  // in 1252: é, €
      {__LINE__, 1252, u"\u0142\u00f3d\u017a", std::string("l\xf3" "dz\0", 5)},  // best fit: ł→l, ź→z
      {__LINE__, 1252, u"\u4e2d\u6587", std::string("??\0", 3)},               // nothing fits
      {__LINE__, 1252, u"", std::string("\0", 1)},
      {__LINE__, 1251, u"\u041f\u0440\u0438", std::string("\xcf\xf0\xe8\0", 4)},
      {__LINE__, 932, u"\u4e2d\u6587", std::string("\x92\x86\x95\xb6\0", 5)},  // two bytes a character
  };
  for (const auto& row : rows) {
    ASSERT_TRUE(platform::set_ansi_code_page(row.code_page)) << "line " << row.line;
    set_wide(u"Text", row.wide);
    DWORD type = 0;
    LONG rc = 0;
    const std::vector<BYTE> got = query_a("Text", type, rc);
    EXPECT_EQ(rc, ERROR_SUCCESS) << "line " << row.line;
    EXPECT_EQ(type, REG_SZ) << "line " << row.line;
    EXPECT_EQ(bytes_text(got), row.ansi) << "line " << row.line << ": the size is the ANSI byte count";

    // Written through A, the same bytes are stored as UTF-16 (where the text fits the page).
    if (row.ansi.find('?') != std::string::npos || row.wide.find(u'\u0142') != std::u16string::npos) continue;
    ASSERT_EQ(RegSetValueExA(key_, "Back", 0, REG_SZ, reinterpret_cast<const BYTE*>(row.ansi.data()),
                             static_cast<DWORD>(row.ansi.size())),
              ERROR_SUCCESS)
        << "line " << row.line;
    std::u16string wide(64, u'\0');
    DWORD size = static_cast<DWORD>(wide.size() * 2);
    ASSERT_EQ(RegQueryValueExW(key_, u"Back", nullptr, nullptr, reinterpret_cast<BYTE*>(wide.data()), &size),
              ERROR_SUCCESS);
    wide.resize(size / 2);
    EXPECT_EQ(wide, row.wide + u'\0') << "line " << row.line;
  }
}

TEST_F(RegistryAnsi, AWriteWithoutTerminatorStoresNone) {
  ASSERT_EQ(RegSetValueExA(key_, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3), ERROR_SUCCESS);
  DWORD size = 0;
  ASSERT_EQ(RegQueryValueExW(key_, u"Bare", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u) << "three characters of UTF-16, no terminator added";
  // Read back through A into a roomy buffer, a terminator follows the data but is not counted.
  char text[8];
  std::memset(text, 'x', sizeof text);
  size = sizeof text;
  ASSERT_EQ(RegQueryValueExA(key_, "Bare", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(std::string(text, 4), std::string("abc\0", 4));
}

TEST_F(RegistryAnsi, AShortBufferGetsTheAnsiSizeAndNoData) {
  set_wide(u"Path", u"C:\\Caf\u00e9");  // 7 characters + terminator: 16 bytes wide, 8 ANSI
  struct Row {
    int line;
    bool with_buffer;
    DWORD given;
    LONG rc;
    DWORD size_after;
  };
  const Row rows[] = {
      {__LINE__, false, 0, ERROR_SUCCESS, 8},
      {__LINE__, true, 0, ERROR_MORE_DATA, 8},
      {__LINE__, true, 7, ERROR_MORE_DATA, 8},
      {__LINE__, true, 8, ERROR_SUCCESS, 8},
      {__LINE__, true, 15, ERROR_SUCCESS, 8},  // room for the wide form is not needed
      {__LINE__, true, 260, ERROR_SUCCESS, 8},
  };
  for (const auto& row : rows) {
    char buffer[260];
    std::memset(buffer, 0x7F, sizeof buffer);
    DWORD size = row.given;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key_, "path", nullptr, &type, row.with_buffer ? reinterpret_cast<BYTE*>(buffer) : nullptr,
                               &size),
              row.rc)
        << "line " << row.line;
    EXPECT_EQ(size, row.size_after) << "line " << row.line;
    EXPECT_EQ(type, REG_SZ) << "line " << row.line;
    if (row.rc == ERROR_SUCCESS && row.with_buffer) {
      EXPECT_STREQ(buffer, "C:\\Caf\xe9") << "line " << row.line;
    } else {
      EXPECT_EQ(buffer[0], 0x7F) << "line " << row.line << ": nothing delivered";
    }
  }
}

TEST_F(RegistryAnsi, NonStringDataPassesUnconverted) {
  const DWORD number = 0x00E90041;  // would read as "A\xe9" if it were taken for text
  ASSERT_EQ(RegSetValueExA(key_, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);
  const BYTE raw[] = {0x41, 0x00, 0xE9, 0x00};
  ASSERT_EQ(RegSetValueExA(key_, "Raw", 0, REG_BINARY, raw, 4), ERROR_SUCCESS);
  for (const char* name : {"Number", "Raw"}) {
    DWORD type = 0;
    LONG rc = 0;
    const std::vector<BYTE> got = query_a(name, type, rc);
    EXPECT_EQ(rc, ERROR_SUCCESS) << name;
    EXPECT_EQ(got, std::vector<BYTE>(raw, raw + 4)) << name;
  }
  // A DWORD read with a 4-byte buffer does not look at the stored type: a short string fits.
  ASSERT_EQ(RegSetValueExA(key_, "Short", 0, REG_SZ, reinterpret_cast<const BYTE*>("ab"), 3), ERROR_SUCCESS);
  DWORD value = 0;
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key_, "Short", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
}

TEST_F(RegistryAnsi, ExpandAndMultiStringsConvertAndStayUnexpanded) {
  const std::u16string expand = u"%TEMP%\\\u00e9";
  ASSERT_EQ(RegSetValueExW(key_, u"Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand.c_str()),
                           static_cast<DWORD>((expand.size() + 1) * 2)),
            ERROR_SUCCESS);
  const char16_t multi[] = u"one\0tw\u00e9\0";  // two strings and the closing empty one
  ASSERT_EQ(RegSetValueExW(key_, u"Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi),
            ERROR_SUCCESS);
  DWORD type = 0;
  LONG rc = 0;
  EXPECT_EQ(bytes_text(query_a("Expand", type, rc)), std::string("%TEMP%\\\xe9\0", 9));
  EXPECT_EQ(type, REG_EXPAND_SZ);
  EXPECT_EQ(bytes_text(query_a("Multi", type, rc)), std::string("one\0tw\xe9\0\0", 9));
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
  HKEY wide = nullptr;
  EXPECT_EQ(RegOpenKeyExW(key_, u"CAF\u00c9", 0, KEY_READ, &wide), ERROR_SUCCESS)
      << "an A name matches its W form, without case";
  RegCloseKey(wide);

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
  EXPECT_EQ(RegDeleteKeyA(key_, "caf\xc9"), ERROR_FILE_NOT_FOUND);
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
