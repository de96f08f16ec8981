#include <gtest/gtest.h>

#include <string>

#include "tests/platform/registry/registry_test_support.h"

using namespace registry_test;

namespace {

class RegistryQueryInfo : public ::testing::TestWithParam<StoreKind> {
 protected:
  platform::registry::ScopedStore store_{make_store(GetParam())};
};

struct Info {
  DWORD subkeys = 99, max_subkey = 99, max_class = 99, values = 99, max_name = 99, max_data = 99;
};

LONG query(HKEY key, Info& info) {
  return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &info.subkeys, &info.max_subkey, &info.max_class,
                          &info.values, &info.max_name, &info.max_data, nullptr, nullptr);
}

TEST_P(RegistryQueryInfo, CountsAndLongestNamesAndData) {
  HKEY key = create(HKEY_CURRENT_USER, u"Software\\Info");
  Info info;
  ASSERT_EQ(query(key, info), ERROR_SUCCESS);
  for (DWORD count : {info.subkeys, info.max_subkey, info.max_class, info.values, info.max_name, info.max_data})
    EXPECT_EQ(count, 0u);

  RegCloseKey(create(key, u"Short"));
  RegCloseKey(create(key, u"A much longer name"));  // 18 characters
  set_sz(key, u"Name", u"twelve chars");            // 26 bytes with the terminator
  set_sz(key, nullptr, u"x");
  set_dword(key, u"Longest value name", 7);
  ASSERT_EQ(query(key, info), ERROR_SUCCESS);
  EXPECT_EQ(info.subkeys, 2u);
  EXPECT_EQ(info.max_subkey, 18u) << "characters, without the terminator";
  EXPECT_EQ(info.max_class, 0u);
  EXPECT_EQ(info.values, 3u) << "the default value counts";
  EXPECT_EQ(info.max_name, 18u);
  EXPECT_EQ(info.max_data, 26u) << "bytes";
  RegCloseKey(key);
}

TEST_P(RegistryQueryInfo, NeedsQueryRightAndAValidHandle) {
  RegCloseKey(create(HKEY_CURRENT_USER, u"Software\\Info"));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Info", 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  Info info;
  EXPECT_EQ(query(key, info), ERROR_ACCESS_DENIED);
  EXPECT_EQ(info.values, 99u) << "untouched on failure";
  RegCloseKey(key);
  EXPECT_EQ(query(key, info), ERROR_INVALID_HANDLE);
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

INSTANTIATE_TEST_SUITE_P(Stores, RegistryQueryInfo, ::testing::ValuesIn(kAllStores), store_kind_name);

}  // namespace
