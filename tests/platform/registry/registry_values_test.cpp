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
  struct Row { int line; bool with_buffer; DWORD given; LONG rc; DWORD size_after; bool delivered; };
  const Row rows[] = {
      {__LINE__, false, 0, ERROR_SUCCESS, 8, false},     // null buffer: the size
      {__LINE__, false, 3, ERROR_SUCCESS, 8, false},     // null buffer ignores the given size
      {__LINE__, true, 0, ERROR_MORE_DATA, 8, false},
      {__LINE__, true, 7, ERROR_MORE_DATA, 8, false},    // one byte short
      {__LINE__, true, 8, ERROR_SUCCESS, 8, true},
      {__LINE__, true, 64, ERROR_SUCCESS, 8, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    BYTE buffer[64];
    std::memset(buffer, 0xCC, sizeof buffer);
    DWORD size = row.given;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key_, u"Path", nullptr, &type, row.with_buffer ? buffer : nullptr, &size), row.rc);
    EXPECT_EQ(size, row.size_after);
    EXPECT_EQ(type, REG_SZ) << "the type comes back even when the data does not";
    EXPECT_EQ(std::memcmp(buffer, u"abc", 8) == 0, row.delivered);
    if (!row.delivered) {
      EXPECT_EQ(buffer[0], 0xCC) << "nothing written";
    }
  }
}

TEST_P(RegistryValues, DataIsStoredAsGivenAndTheDefaultValueHasNoName) {
  // No terminator added, an odd byte count kept: nothing reinterprets the data.
  ASSERT_EQ(RegSetValueExW(key_, u"Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(u"no end"), 12), ERROR_SUCCESS);
  const BYTE odd[] = {'a', 0, 'b'};
  ASSERT_EQ(RegSetValueExW(key_, u"Odd", 0, REG_SZ, odd, 3), ERROR_SUCCESS);
  for (const auto& [name, expected] : {std::pair{u"Raw", 12u}, std::pair{u"Odd", 3u}}) {
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExW(key_, name, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, expected);
  }
  EXPECT_EQ(RegQueryValueExW(key_, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND)
      << "a key has no default value until one is set";
  set_sz(key_, nullptr, u"default");
  WCHAR text[16];
  DWORD size = sizeof text;
  ASSERT_EQ(RegQueryValueExW(key_, u"", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(text), u"default");
  EXPECT_EQ(RegDeleteValueW(key_, u""), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(key_, nullptr, nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);

  EXPECT_EQ(RegQueryValueExW(key_, u"Absent", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueW(key_, u"Absent"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExW(key_, u"Absent", nullptr, nullptr, reinterpret_cast<BYTE*>(text), nullptr),
            ERROR_INVALID_PARAMETER)
      << "a buffer without its size";
  DWORD reserved = 0;
  EXPECT_EQ(RegQueryValueExW(key_, u"Absent", &reserved, nullptr, nullptr, &size), ERROR_INVALID_PARAMETER);
}

TEST_P(RegistryValues, NamesMatchWithoutCaseAndEnumerationDeliversNameTypeAndData) {
  set_sz(key_, u"First", u"1");
  set_dword(key_, u"Second", 1);
  set_dword(key_, u"SECOND", 0x01020304);  // the same value: it keeps its first name
  DWORD data = 0;
  DWORD size = sizeof data;
  ASSERT_EQ(RegQueryValueExW(key_, u"second", nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size), ERROR_SUCCESS);
  EXPECT_EQ(data, 0x01020304u);
  WCHAR name[16];
  DWORD length = 6;  // "Second" needs 7 with its terminator
  DWORD type = 0;
  data = 0;
  EXPECT_EQ(RegEnumValueW(key_, 1, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size),
            ERROR_MORE_DATA);
  length = 7;
  ASSERT_EQ(RegEnumValueW(key_, 1, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name, length), u"Second");
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(data, 0x01020304u);
  length = 16;
  EXPECT_EQ(RegEnumValueW(key_, 2, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  size = 1;
  EXPECT_EQ(RegEnumValueW(key_, 0, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 4u) << "the size the data needs";
}

TEST_P(RegistryValues, HandleAccessIsEnforced) {
  set_sz(key_, u"v", u"x");
  RegCloseKey(create(key_, u"Sub"));
  struct Row { int line; REGSAM access; LONG query, set, remove, enum_keys, enum_values, create_new, delete_tree; };
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
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Values", 0, row.access, &key), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"v", nullptr, nullptr, nullptr, &size), row.query);
    const BYTE byte = 1;
    EXPECT_EQ(RegSetValueExW(key, u"w", 0, REG_BINARY, &byte, 1), row.set);
    EXPECT_EQ(RegDeleteValueW(key, u"w"), row.set == ok ? row.remove : denied);
    WCHAR name[16];
    DWORD length = 16;
    EXPECT_EQ(RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr), row.enum_keys);
    length = 16;
    EXPECT_EQ(RegEnumValueW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr), row.enum_values);
    HKEY made = nullptr;
    EXPECT_EQ(RegCreateKeyExW(key, u"New", 0, nullptr, 0, KEY_READ, nullptr, &made, nullptr), row.create_new);
    if (made) RegCloseKey(made);
    // Opening an existing subkey through RegCreateKeyExW needs no right on the parent.
    EXPECT_EQ(RegCreateKeyExW(key, u"Sub", 0, nullptr, 0, KEY_READ, nullptr, &made, nullptr), ok);
    RegCloseKey(made);
    EXPECT_EQ(RegDeleteTreeW(key, u"New"), row.delete_tree);
    (void)RegDeleteKeyW(HKEY_CURRENT_USER, u"Software\\Values\\New");
    RegCloseKey(key);
  }
}

INSTANTIATE_TEST_SUITE_P(Stores, RegistryValues, ::testing::ValuesIn(kAllStores), store_kind_name);

}  // namespace
