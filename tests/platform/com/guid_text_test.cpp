#include <gtest/gtest.h>

#include <string>

#include "platform/combaseapi.h"

namespace {

constexpr GUID kSample = platform::make_guid("{C7E5D7EF-767C-4964-B727-D61233FB4D49}");

TEST(GuidText, CompileTimeLiteralMatchesFields) {
  static_assert(kSample.Data1 == 0xC7E5D7EF && kSample.Data2 == 0x767C && kSample.Data3 == 0x4964);
  static_assert(kSample.Data4[0] == 0xB7 && kSample.Data4[7] == 0x49);
  static_assert(platform::make_guid("c7e5d7ef-767c-4964-b727-d61233fb4d49") == kSample);
}

TEST(GuidText, ParsesAnyCaseAndFormatsUpperCase) {
  for (const char16_t* text : {u"{C7E5D7EF-767C-4964-B727-D61233FB4D49}", u"{c7e5d7ef-767c-4964-b727-d61233fb4d49}",
                               u"{c7E5d7eF-767C-4964-b727-D61233fb4D49}"}) {
    CLSID parsed{};
    EXPECT_EQ(CLSIDFromString(text, &parsed), S_OK);
    EXPECT_EQ(parsed, kSample);
    IID iid{};
    EXPECT_EQ(IIDFromString(text, &iid), S_OK);
    EXPECT_EQ(iid, kSample);
  }
  OLECHAR out[CHARS_IN_GUID] = {u'x'};
  EXPECT_EQ(StringFromGUID2(kSample, out, CHARS_IN_GUID - 1), 0);
  EXPECT_EQ(out[0], u'x') << "a buffer too small is not written";
  ASSERT_EQ(StringFromGUID2(kSample, out, CHARS_IN_GUID), CHARS_IN_GUID);
  EXPECT_EQ(std::u16string(out), u"{C7E5D7EF-767C-4964-B727-D61233FB4D49}");
  LPOLESTR text = nullptr;  // in task memory
  ASSERT_EQ(StringFromCLSID(kSample, &text), S_OK);
  EXPECT_EQ(std::u16string(text), std::u16string(out));
  CoTaskMemFree(text);
}

TEST(GuidText, RejectsNonGuidTextAndLeavesNullGuid) {
  const std::u16string rows[] = {
      u"C7E5D7EF-767C-4964-B727-D61233FB4D49",     // no braces
      u"{C7E5D7EF-767C-4964-B727-D61233FB4D4}",    // one digit short
      u"{C7E5D7EF-767C-4964-B727-D61233FB4D499}",  // one digit long
      u"{C7E5D7EF-767C-4964-B727-D61233FB4D4G}",   // not hex
      u"{C7E5D7EF 767C-4964-B727-D61233FB4D49}",   // wrong separator
      u"{C7E5D7EF-767C-4964-B727-D61233FB4D49}x",  // trailing text
      u"Quarn.Document",                            // a name, not a GUID
  };
  for (const auto& text : rows) {
    CLSID clsid = kSample;
    EXPECT_EQ(CLSIDFromString(text.c_str(), &clsid), CO_E_CLASSSTRING) << std::string(text.begin(), text.end());
    EXPECT_EQ(clsid, GUID_NULL);
    IID iid = kSample;
    EXPECT_TRUE(FAILED(IIDFromString(text.c_str(), &iid)));
    EXPECT_EQ(iid, GUID_NULL);
  }
}

}  // namespace
