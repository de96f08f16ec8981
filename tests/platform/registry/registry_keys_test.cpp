#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

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
  HKEY middle = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Quarn", 0, KEY_READ, &middle), ERROR_SUCCESS);
  HKEY again = create(HKEY_CURRENT_USER, u"software\\QUARN\\settings\\", KEY_ALL_ACCESS, &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_NE(again, deep);
  HKEY self = nullptr;  // opened without a subkey: a new handle to the same key
  ASSERT_EQ(RegOpenKeyExW(deep, nullptr, 0, KEY_ALL_ACCESS, &self), ERROR_SUCCESS);
  EXPECT_NE(self, deep);
  set_sz(self, u"x", u"y");
  EXPECT_EQ(RegQueryValueExW(again, u"X", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  for (HKEY k : {deep, middle, again, self}) EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);

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
  // upper-casing both names puts "a_b" after "Alpha".
  for (const char16_t* name : {u"beta", u"Alpha", u"_under", u"Gamma", u"alpha2", u"a_b", u"ALPHA"})
    RegCloseKey(create(parent, name));  // "ALPHA" opens "Alpha", it does not rename it
  EXPECT_EQ(subkeys(parent), (std::vector<std::u16string>{u"Alpha", u"alpha2", u"a_b", u"beta", u"Gamma", u"_under"}));
  HKEY other = nullptr;
  EXPECT_EQ(RegOpenKeyExW(parent, u"gAMMA", 0, KEY_READ, &other), ERROR_SUCCESS);
  RegCloseKey(other);

  WCHAR name[8] = u"xxxxxxx";
  DWORD length = 5;  // "Alpha" needs 6 with its terminator
  EXPECT_EQ(RegEnumKeyExW(parent, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  length = 6;
  EXPECT_EQ(RegEnumKeyExW(parent, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(length, 5u) << "the length comes back without the terminator";
  EXPECT_EQ(std::u16string(name), u"Alpha");
  length = 8;
  EXPECT_EQ(RegEnumKeyExW(parent, 6, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
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
  HKEY still = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Tree", 0, KEY_READ, &still), ERROR_SUCCESS);
  RegCloseKey(still);
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

INSTANTIATE_TEST_SUITE_P(Stores, RegistryKeys, ::testing::ValuesIn(kAllStores), store_kind_name);

}  // namespace
