#include <gtest/gtest.h>

#include <type_traits>

#include "platform/support/reg_key.h"

namespace {

static_assert(!std::is_copy_constructible_v<platform::RegKey> && std::is_nothrow_move_constructible_v<platform::RegKey>);

class RegKeyTest : public ::testing::Test {
 protected:
  platform::registry::ScopedStore store_;
};

TEST_F(RegKeyTest, TypedValuesRoundTrip) {
  platform::RegKey key;
  DWORD disposition = 0;
  ASSERT_EQ(key.create(HKEY_CURRENT_USER, u"Software\\Typed", KEY_ALL_ACCESS, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(key.set_string(u"Name", u"Quarn"), ERROR_SUCCESS);
  ASSERT_EQ(key.set_dword(u"Count", 42), ERROR_SUCCESS);

  platform::RegKey reader;
  ASSERT_EQ(reader.open(HKEY_CURRENT_USER, u"software\\typed"), ERROR_SUCCESS);
  std::u16string name;
  DWORD count = 0;
  EXPECT_EQ(reader.get_string(u"NAME", name), ERROR_SUCCESS);
  EXPECT_EQ(name, u"Quarn");
  EXPECT_EQ(reader.get_dword(u"count", count), ERROR_SUCCESS);
  EXPECT_EQ(count, 42u);
  // Strings are stored with their terminator, as Windows programs store them.
  DWORD size = 0;
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
