// The Reg* functions over every kind of store: keys, values, key information and RegKey.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "platform/support/reg_key.h"
#include "platform/winnls.h"
#include "tests/platform/registry/registry_test_support.h"

using namespace registry_test;

namespace {

class RegistryKeys : public ::testing::TestWithParam<StoreKind> {
 protected:
  platform::registry::ScopedStore store_{make_store(GetParam())};
};

std::vector<std::u16string> subkeys(HKEY key) {
  std::vector<std::u16string> names;
  WCHAR name[256];
  DWORD length = 256;
  for (DWORD i = 0; RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; ++i) {
    names.emplace_back(name, length);
    length = 256;
  }
  return names;
}

TEST_P(RegistryKeys, CreateMakesIntermediateKeysAndEveryOpenItsOwnHandle) {
  DWORD disposition = 0;
  HKEY deep = create(HKEY_CURRENT_USER, u"Software\\Quarn\\Settings", KEY_ALL_ACCESS, &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  EXPECT_EQ(open_rc(HKEY_CURRENT_USER, u"Software\\Quarn"), ERROR_SUCCESS);
  HKEY again = create(HKEY_CURRENT_USER, u"software\\QUARN\\settings\\", KEY_ALL_ACCESS, &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_NE(again, deep);
  HKEY self = nullptr;  // opened without a subkey: a new handle to the same key
  ASSERT_EQ(RegOpenKeyExW(deep, nullptr, 0, KEY_ALL_ACCESS, &self), ERROR_SUCCESS);
  EXPECT_NE(self, deep);
  set_sz(self, u"x", u"y");
  EXPECT_EQ(RegQueryValueExW(again, u"X", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  for (HKEY k : {deep, again, self}) EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);

  HKEY key = reinterpret_cast<HKEY>(1);  // roots are separate
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Quarn", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr) << "the out-parameter is cleared on failure";
  for (const char16_t* path : {u"\\Lead", u"A\\\\B"})
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u""), ERROR_ACCESS_DENIED) << "a root cannot be deleted";
}

TEST_P(RegistryKeys, NamesMatchWithoutCaseKeepTheirCaseAndEnumerateInCaseInsensitiveOrder) {
  HKEY parent = create(HKEY_CURRENT_USER, u"Order");
  // '_' (0x5F) sorts after the upper-case letters and before the lower-case ones, so only
  // upper-casing both names puts "a_b" after "Alpha"; beyond ASCII the simple upper case counts.
  for (const char16_t* name : {u"beta", u"\u03c3igma", u"Alpha", u"_under", u"\u00e9t\u00e9", u"Gamma", u"alpha2",
                               u"a_b", u"ALPHA"})
    RegCloseKey(create(parent, name));  // "ALPHA" opens "Alpha", it does not rename it
  EXPECT_EQ(subkeys(parent), (std::vector<std::u16string>{u"Alpha", u"alpha2", u"a_b", u"beta", u"Gamma", u"_under",
                                                          u"\u00e9t\u00e9", u"\u03c3igma"}));
  EXPECT_EQ(open_rc(parent, u"gAMMA"), ERROR_SUCCESS);
  EXPECT_EQ(open_rc(parent, u"\u03a3IGMA"), ERROR_SUCCESS);

  WCHAR name[8] = u"xxxxxxx";
  DWORD length = 5;  // "Alpha" needs 6 with its terminator
  EXPECT_EQ(RegEnumKeyExW(parent, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  length = 6;
  EXPECT_EQ(RegEnumKeyExW(parent, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(length, 5u) << "the length comes back without the terminator";
  EXPECT_EQ(std::u16string(name), u"Alpha");
  length = 8;
  EXPECT_EQ(RegEnumKeyExW(parent, 8, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  RegCloseKey(parent);
}

TEST_P(RegistryKeys, DeleteKeyRefusesSubkeysAndDeleteTreeTakesThem) {
  RegCloseKey(create(HKEY_CURRENT_USER, u"Del\\Child\\Grandchild"));
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Del\\Child"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Del\\Child\\GRANDCHILD"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Del\\Child"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Del\\Child"), ERROR_FILE_NOT_FOUND);

  HKEY leaf = create(HKEY_CURRENT_USER, u"Tree\\A\\B\\C");
  set_sz(leaf, u"v", u"1");
  RegCloseKey(leaf);
  RegCloseKey(create(HKEY_CURRENT_USER, u"Tree\\D"));
  EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, u"Tree\\A"), ERROR_SUCCESS);
  HKEY tree = create(HKEY_CURRENT_USER, u"Tree");
  EXPECT_EQ(subkeys(tree), std::vector<std::u16string>{u"D"});
  EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, u"Tree\\A"), ERROR_FILE_NOT_FOUND);
  // Without a subkey the key stays and loses its contents.
  set_sz(tree, u"kept?", u"no");
  EXPECT_EQ(RegDeleteTreeW(tree, nullptr), ERROR_SUCCESS);
  EXPECT_TRUE(subkeys(tree).empty());
  EXPECT_EQ(RegQueryValueExW(tree, u"kept?", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
  RegCloseKey(tree);
  EXPECT_EQ(open_rc(HKEY_CURRENT_USER, u"Tree"), ERROR_SUCCESS);
}

TEST_P(RegistryKeys, HandlesAreCheckedAndDieWithTheirKey) {
  HKEY key = create(HKEY_CURRENT_USER, u"Gone");
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Gone"), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE) << "a closed handle is gone";
  EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(0x12345678)), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_CLASSES_ROOT), ERROR_SUCCESS) << "closing a predefined key is harmless";
}

TEST_P(RegistryKeys, ConcurrentCreatesAllLand) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([t] {
      for (int i = 0; i < 50; ++i) {
        const std::u16string path = platform::from_utf8("Threads\\T" + std::to_string(t) + "\\K" + std::to_string(i));
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
            ERROR_SUCCESS)
          RegCloseKey(key);
      }
    });
  for (auto& th : threads) th.join();
  for (int t = 0; t < 4; ++t) {
    HKEY key = create(HKEY_CURRENT_USER, platform::from_utf8("Threads\\T" + std::to_string(t)));
    EXPECT_EQ(subkeys(key).size(), 50u);
    RegCloseKey(key);
  }
}

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
      {__LINE__, true, 8, ERROR_SUCCESS, 8, true},             {__LINE__, true, 64, ERROR_SUCCESS, 8, true},
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

// What RegQueryInfoKeyW tells about a key: counts, longest names in characters, longest data in bytes.
std::string info_of(HKEY key) {
  DWORD subkeys = 99, max_subkey = 99, max_class = 99, values = 99, max_name = 99, max_data = 99;
  const LONG rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &max_subkey, &max_class, &values,
                                   &max_name, &max_data, nullptr, nullptr);
  char text[128];
  std::snprintf(text, sizeof text, "rc %ld: subkeys %lu (%lu) class %lu values %lu (%lu, %lu)", static_cast<long>(rc),
                static_cast<unsigned long>(subkeys), static_cast<unsigned long>(max_subkey),
                static_cast<unsigned long>(max_class), static_cast<unsigned long>(values),
                static_cast<unsigned long>(max_name), static_cast<unsigned long>(max_data));
  return text;
}

TEST_P(RegistryKeys, QueryInfoCountsAndGivesTheLongestNamesAndData) {
  HKEY key = create(HKEY_CURRENT_USER, u"Software\\Info");
  EXPECT_EQ(info_of(key), "rc 0: subkeys 0 (0) class 0 values 0 (0, 0)");
  RegCloseKey(create(key, u"Short"));
  RegCloseKey(create(key, u"A much longer name"));  // 18 characters
  set_sz(key, u"Name", u"twelve chars");            // 26 bytes with the terminator
  set_sz(key, nullptr, u"x");                       // the default value counts
  set_dword(key, u"Longest value name", 7);
  EXPECT_EQ(info_of(key), "rc 0: subkeys 2 (18) class 0 values 3 (18, 26)");
  RegCloseKey(key);
}

TEST_P(RegistryKeys, QueryInfoNeedsTheQueryRightAndAValidHandle) {
  RegCloseKey(create(HKEY_CURRENT_USER, u"Software\\Info"));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Info", 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  EXPECT_EQ(info_of(key), "rc 5: subkeys 99 (99) class 99 values 99 (99, 99)") << "untouched on failure";
  RegCloseKey(key);
  EXPECT_EQ(info_of(key), "rc 6: subkeys 99 (99) class 99 values 99 (99, 99)");
  DWORD reserved = 0;
  EXPECT_EQ(RegQueryInfoKeyW(HKEY_CURRENT_USER, nullptr, nullptr, &reserved, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_INVALID_PARAMETER);
  WCHAR cls[4] = u"abc";
  DWORD cls_length = 4;
  FILETIME written{1, 1};
  EXPECT_EQ(RegQueryInfoKeyW(HKEY_CURRENT_USER, cls, &cls_length, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, &written),
            ERROR_SUCCESS);
  EXPECT_EQ(cls_length, 0u) << "keys have no class";
  EXPECT_EQ(cls[0], 0);
}


INSTANTIATE_TEST_SUITE_P(Stores, RegistryKeys, ::testing::ValuesIn(kAllStores), store_kind_name);

static_assert(!std::is_copy_constructible_v<platform::RegKey>);
static_assert(std::is_nothrow_move_constructible_v<platform::RegKey>);

class RegKeyTest : public ::testing::Test {
 protected:
  platform::registry::ScopedStore store_;
};

TEST_F(RegKeyTest, TypedValuesRoundTripAndStringsKeepTheirTerminator) {
  platform::RegKey key;
  ASSERT_EQ(key.create(HKEY_CURRENT_USER, u"Software\\Typed"), ERROR_SUCCESS);
  ASSERT_EQ(key.set_string(u"Name", u"Quarn"), ERROR_SUCCESS);
  ASSERT_EQ(key.set_dword(u"Count", 42), ERROR_SUCCESS);
  platform::RegKey reader;
  ASSERT_EQ(reader.open(HKEY_CURRENT_USER, u"Software\\Typed"), ERROR_SUCCESS);
  std::u16string name;
  DWORD count = 0;
  EXPECT_EQ(reader.get_string(u"Name", name), ERROR_SUCCESS);
  EXPECT_EQ(name, u"Quarn");
  EXPECT_EQ(reader.get_dword(u"Count", count), ERROR_SUCCESS);
  EXPECT_EQ(count, 42u);
  DWORD size = 0;  // as Windows programs store them
  EXPECT_EQ(RegQueryValueExW(reader.get(), u"Name", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 12u);
}

TEST_F(RegKeyTest, WrongTypesAndMissingValuesLeaveTheOutputAlone) {
  platform::RegKey key;
  ASSERT_EQ(key.create(HKEY_CURRENT_USER, u"Software\\Typed"), ERROR_SUCCESS);
  ASSERT_EQ(key.set_string(u"Text", u"7"), ERROR_SUCCESS);
  ASSERT_EQ(key.set_dword(u"Number", 7), ERROR_SUCCESS);
  const BYTE three[] = {1, 2, 3};
  ASSERT_EQ(RegSetValueExW(key.get(), u"Short", 0, REG_DWORD, three, 3), ERROR_SUCCESS);
  DWORD number = 99;
  std::u16string text = u"kept";
  EXPECT_EQ(key.get_dword(u"Text", number), ERROR_INVALID_DATA);
  EXPECT_EQ(key.get_dword(u"Short", number), ERROR_INVALID_DATA);
  EXPECT_EQ(key.get_dword(u"Absent", number), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(number, 99u);
  EXPECT_EQ(key.get_string(u"Number", text), ERROR_INVALID_DATA);
  EXPECT_EQ(key.get_string(u"Absent", text), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(text, u"kept");
}

TEST_F(RegKeyTest, AFailedOpenKeepsTheKeyMovingTransfersItAndAnEmptyKeyIsInvalid) {
  platform::RegKey key;
  ASSERT_EQ(key.create(HKEY_CURRENT_USER, u"Software\\Kept"), ERROR_SUCCESS);
  const HKEY held = key.get();
  EXPECT_EQ(key.open(HKEY_CURRENT_USER, u"Software\\Absent"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key.get(), held);

  platform::RegKey moved(std::move(key));
  EXPECT_FALSE(key);
  EXPECT_EQ(moved.get(), held);
  {
    platform::RegKey last = std::move(moved);
  }
  EXPECT_EQ(RegCloseKey(held), ERROR_INVALID_HANDLE) << "the destructor closed the handle";
  DWORD value = 0;
  EXPECT_EQ(key.get_dword(u"x", value), ERROR_INVALID_HANDLE) << "an empty key";
  EXPECT_EQ(key.set_dword(u"x", 1), ERROR_INVALID_HANDLE);
}

}  // namespace
