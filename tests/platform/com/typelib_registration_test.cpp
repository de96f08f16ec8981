#include <gtest/gtest.h>

#include "platform/support/bstr.h"

#include "platform/support/com_ptr.h"
#include "platform/typelibapi.h"
#include "tests/platform/com/com_test_support.h"

using namespace com_test;

namespace {

constexpr GUID kLibId = platform::make_guid("{9C3F1E20-5A7B-4D61-A8E2-0B4C6D8E1F37}");

class TypeLibRegistration : public ::testing::Test {
 protected:
  std::u16string value_of(const std::u16string& subkey) {
    platform::RegKey key;
    std::u16string text;
    if (key.open(HKEY_CLASSES_ROOT, u"TypeLib\\" + guid_text(kLibId) + subkey) != ERROR_SUCCESS) return u"<no key>";
    if (key.get_string(u"", text) != ERROR_SUCCESS) return u"<no value>";
    return text;
  }
  bool exists(const std::u16string& subkey) {
    platform::RegKey key;
    return key.open(HKEY_CLASSES_ROOT, u"TypeLib\\" + guid_text(kLibId) + subkey) == ERROR_SUCCESS;
  }
  platform::ComPtr<ITypeLib> make(WORD major, WORD minor, LCID lcid = 0) {
    platform::ComPtr<ITypeLib> lib;
    EXPECT_EQ(platform::create_type_lib(kLibId, major, minor, lcid, u"QuarnLib", lib.put()), S_OK);
    return lib;
  }

  platform::registry::ScopedStore store_;
};

TEST_F(TypeLibRegistration, TheLibraryKnowsItsIdentity) {
  auto lib = make(1, 2, 0x409);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->guid, kLibId);
  EXPECT_EQ(attr->lcid, 0x409u);
  EXPECT_EQ(attr->syskind, SYS_WIN64);
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 2);
  lib->ReleaseTLibAttr(attr);
  EXPECT_EQ(lib->GetTypeInfoCount(), 0u);
  DWORD context = 1;
  EXPECT_EQ(lib->GetDocumentation(-1, nullptr, nullptr, &context, nullptr), S_OK);
  EXPECT_EQ(context, 0u);
  platform::Bstr name;
  EXPECT_EQ(lib->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr), S_OK);
  EXPECT_FALSE(name.view().empty());
  EXPECT_EQ(lib->GetDocumentation(0, name.put(), nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);
  EXPECT_EQ(name.get(), nullptr);
}

TEST_F(TypeLibRegistration, WritesTheVersionKeyInHex) {
  auto lib = make(1, 10, 0x409);
  ASSERT_EQ(RegisterTypeLib(lib.get(), u"Z:\\opt\\quarn\\quarn.so", nullptr), S_OK);
  struct Row { int line; std::u16string subkey; std::u16string value; };
  const Row rows[] = {
      {__LINE__, u"\\1.a", u"QuarnLib"},                       {__LINE__, u"\\1.a\\FLAGS", u"0"},
      {__LINE__, u"\\1.a\\HELPDIR", u"Z:\\opt\\quarn"},  // the library's folder when none is given
      {__LINE__, u"\\1.a\\409\\win64", u"Z:\\opt\\quarn\\quarn.so"},
  };
  for (const auto& row : rows) EXPECT_EQ(value_of(row.subkey), row.value) << "line " << row.line;

  ASSERT_EQ(RegisterTypeLib(lib.get(), u"Z:\\opt\\quarn\\quarn.so", u"Z:\\help"), S_OK);
  EXPECT_EQ(value_of(u"\\1.a\\HELPDIR"), u"Z:\\help");
  EXPECT_EQ(RegisterTypeLib(nullptr, u"x", nullptr), E_INVALIDARG);
  EXPECT_EQ(RegisterTypeLib(lib.get(), nullptr, nullptr), E_INVALIDARG);
}

TEST_F(TypeLibRegistration, UnregisteringRemovesOneVersionAndTheLibraryWithTheLast) {
  auto v1 = make(1, 0);
  auto v2 = make(2, 0);
  ASSERT_EQ(RegisterTypeLib(v1.get(), u"Z:\\a\\one.so", nullptr), S_OK);
  ASSERT_EQ(RegisterTypeLib(v2.get(), u"Z:\\a\\two.so", nullptr), S_OK);

  EXPECT_EQ(UnRegisterTypeLib(kLibId, 1, 0, 0, SYS_WIN64), S_OK);
  EXPECT_FALSE(exists(u"\\1.0"));
  EXPECT_EQ(value_of(u"\\2.0\\0\\win64"), u"Z:\\a\\two.so");
  EXPECT_EQ(UnRegisterTypeLib(kLibId, 1, 0, 0, SYS_WIN64), TYPE_E_REGISTRYACCESS);
  EXPECT_EQ(UnRegisterTypeLib(kLibId, 2, 0, 0, SYS_WIN32), TYPE_E_REGISTRYACCESS) << "registered for win64 only";

  EXPECT_EQ(UnRegisterTypeLib(kLibId, 2, 0, 0, SYS_WIN64), S_OK);
  EXPECT_FALSE(exists(u""));
}

TEST_F(TypeLibRegistration, AVersionStaysWhileAnotherLocaleIsRegistered) {
  auto neutral = make(1, 0, 0);
  auto english = make(1, 0, 0x409);
  ASSERT_EQ(RegisterTypeLib(neutral.get(), u"Z:\\a\\lib.so", nullptr), S_OK);
  ASSERT_EQ(RegisterTypeLib(english.get(), u"Z:\\a\\lib.so", nullptr), S_OK);
  EXPECT_EQ(UnRegisterTypeLib(kLibId, 1, 0, 0x409, SYS_WIN64), S_OK);
  EXPECT_FALSE(exists(u"\\1.0\\409"));
  EXPECT_EQ(value_of(u"\\1.0\\0\\win64"), u"Z:\\a\\lib.so");
  EXPECT_EQ(value_of(u"\\1.0\\FLAGS"), u"0");
}

}  // namespace
