#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/platform/registry/registry_test_support.h"

using namespace registry_test;

namespace {

class RegistryValues : public ::testing::TestWithParam<StoreKind> {
 protected:
  void SetUp() override { key_ = create(HKEY_CURRENT_USER, u"Software\\Values"); }
  void TearDown() override { RegCloseKey(key_); }

  platform::registry::ScopedStore store_{make_store(GetParam())};
  HKEY key_ = nullptr;
};

TEST_P(RegistryValues, SizesAreInBytesAndAShortBufferGetsOnlyTheSize) {
  set_sz(key_, u"Path", u"abc");  // 8 bytes with the terminator
  struct Row {
    int line;
    bool with_buffer;
    DWORD given;
    LONG rc;
    DWORD size_after;
    bool delivered;
  };
  const Row rows[] = {
      {__LINE__, false, 0, ERROR_SUCCESS, 8, false},     // null buffer: the size
      {__LINE__, false, 3, ERROR_SUCCESS, 8, false},     // null buffer ignores the given size
      {__LINE__, true, 0, ERROR_MORE_DATA, 8, false},
      {__LINE__, true, 7, ERROR_MORE_DATA, 8, false},    // one byte short
      {__LINE__, true, 8, ERROR_SUCCESS, 8, true},
      {__LINE__, true, 64, ERROR_SUCCESS, 8, true},
  };
  for (const auto& row : rows) {
    BYTE buffer[64];
    std::memset(buffer, 0xCC, sizeof buffer);
    DWORD size = row.given;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key_, u"Path", nullptr, &type, row.with_buffer ? buffer : nullptr, &size), row.rc)
        << "line " << row.line;
    EXPECT_EQ(size, row.size_after) << "line " << row.line;
    EXPECT_EQ(type, REG_SZ) << "line " << row.line << ": the type comes back even when the data does not";
    const bool delivered = std::memcmp(buffer, u"abc", 8) == 0;
    EXPECT_EQ(delivered, row.delivered) << "line " << row.line;
    if (!row.delivered) {
      EXPECT_EQ(buffer[0], 0xCC) << "line " << row.line << ": nothing written";
    }
  }
}

TEST_P(RegistryValues, StringsAreStoredAsTheBytesGiven) {
  const std::u16string text = u"no terminator";
  ASSERT_EQ(RegSetValueExW(key_, u"Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                           static_cast<DWORD>(text.size() * sizeof(WCHAR))),
            ERROR_SUCCESS);
  DWORD size = 0;
  ASSERT_EQ(RegQueryValueExW(key_, u"Raw", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, text.size() * sizeof(WCHAR));
  // An odd byte count is kept too; nothing reinterprets the data.
  const BYTE odd[] = {'a', 0, 'b'};
  ASSERT_EQ(RegSetValueExW(key_, u"Odd", 0, REG_SZ, odd, 3), ERROR_SUCCESS);
  ASSERT_EQ(RegQueryValueExW(key_, u"Odd", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
}

TEST_P(RegistryValues, TheDefaultValueIsTheNullOrEmptyName) {
  EXPECT_EQ(RegQueryValueExW(key_, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND)
      << "a key has no default value until one is set";
  set_sz(key_, nullptr, u"default");
  WCHAR text[16];
  DWORD size = sizeof text;
  ASSERT_EQ(RegQueryValueExW(key_, u"", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(text), u"default");
  EXPECT_EQ(RegDeleteValueW(key_, u""), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(key_, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

TEST_P(RegistryValues, ValueNamesMatchWithoutCaseAndKeepTheFirstCase) {
  const DWORD one = 1;
  const DWORD two = 2;
  ASSERT_EQ(RegSetValueExW(key_, u"Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key_, u"COUNT", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), 4), ERROR_SUCCESS);
  DWORD value = 0;
  DWORD size = sizeof value;
  ASSERT_EQ(RegQueryValueExW(key_, u"count", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 2u);
  WCHAR name[16];
  DWORD length = 16;
  ASSERT_EQ(RegEnumValueW(key_, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name, length), u"Count");
  length = 16;
  EXPECT_EQ(RegEnumValueW(key_, 1, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
}

TEST_P(RegistryValues, EnumValueDeliversNameTypeAndData) {
  set_sz(key_, u"First", u"1");
  const DWORD number = 0x01020304;
  ASSERT_EQ(RegSetValueExW(key_, u"Second", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);
  WCHAR name[16];
  DWORD length = 6;  // "Second" needs 7 with its terminator
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof data;
  EXPECT_EQ(RegEnumValueW(key_, 1, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size),
            ERROR_MORE_DATA);
  length = 7;
  ASSERT_EQ(RegEnumValueW(key_, 1, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name, length), u"Second");
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(data, number);
  length = 16;
  size = 1;
  EXPECT_EQ(RegEnumValueW(key_, 0, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 4u) << "the size the data needs";
}

TEST_P(RegistryValues, MissingValuesAndBadParameters) {
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key_, u"Absent", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueW(key_, u"Absent"), ERROR_FILE_NOT_FOUND);
  BYTE buffer[4];
  EXPECT_EQ(RegQueryValueExW(key_, u"Absent", nullptr, nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER)
      << "a buffer without its size";
  DWORD reserved = 0;
  EXPECT_EQ(RegQueryValueExW(key_, u"Absent", &reserved, nullptr, nullptr, &size), ERROR_INVALID_PARAMETER);
}

TEST_P(RegistryValues, HandleAccessIsEnforced) {
  set_sz(key_, u"v", u"x");
  RegCloseKey(create(key_, u"Sub"));
  struct Row {
    int line;
    REGSAM access;
    LONG query, set, remove, enum_keys, enum_values, create_new, delete_tree;
  };
  constexpr LONG ok = ERROR_SUCCESS;
  constexpr LONG denied = ERROR_ACCESS_DENIED;
  const Row rows[] = {
      {__LINE__, KEY_READ, ok, denied, denied, ok, ok, denied, denied},
      {__LINE__, KEY_WRITE, denied, ok, ok, denied, denied, ok, denied},
      {__LINE__, KEY_QUERY_VALUE, ok, denied, denied, denied, ok, denied, denied},
      {__LINE__, KEY_SET_VALUE, denied, ok, ok, denied, denied, denied, denied},
      {__LINE__, KEY_ENUMERATE_SUB_KEYS, denied, denied, denied, ok, denied, denied, denied},
      {__LINE__, KEY_CREATE_SUB_KEY, denied, denied, denied, denied, denied, ok, denied},
      {__LINE__, GENERIC_READ, ok, denied, denied, ok, ok, denied, denied},
      {__LINE__, KEY_ALL_ACCESS, ok, ok, ok, ok, ok, ok, ok},
  };
  for (const auto& row : rows) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Values", 0, row.access, &key), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"v", nullptr, nullptr, nullptr, &size), row.query) << "line " << row.line;
    const BYTE byte = 1;
    EXPECT_EQ(RegSetValueExW(key, u"w", 0, REG_BINARY, &byte, 1), row.set) << "line " << row.line;
    EXPECT_EQ(RegDeleteValueW(key, u"w"), row.set == ok ? row.remove : denied) << "line " << row.line;
    WCHAR name[16];
    DWORD length = 16;
    EXPECT_EQ(RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr), row.enum_keys)
        << "line " << row.line;
    length = 16;
    EXPECT_EQ(RegEnumValueW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr), row.enum_values)
        << "line " << row.line;
    HKEY made = nullptr;
    EXPECT_EQ(RegCreateKeyExW(key, u"New", 0, nullptr, 0, KEY_READ, nullptr, &made, nullptr), row.create_new)
        << "line " << row.line;
    if (made) RegCloseKey(made);
    // Opening an existing subkey through RegCreateKeyExW needs no right on the parent.
    EXPECT_EQ(RegCreateKeyExW(key, u"Sub", 0, nullptr, 0, KEY_READ, nullptr, &made, nullptr), ok) << "line " << row.line;
    RegCloseKey(made);
    EXPECT_EQ(RegDeleteTreeW(key, u"New"), row.delete_tree) << "line " << row.line;
    (void)RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\Values\\New");
    RegCloseKey(key);
  }
}

INSTANTIATE_TEST_SUITE_P(Stores, RegistryValues, ::testing::ValuesIn(kAllStores), store_kind_name);

}  // namespace
