// BSTR allocation, layout and comparison.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/oleauto.h"

namespace {

DWORD prefix_of(BSTR b) { return reinterpret_cast<const DWORD*>(b)[-1]; }

TEST(BstrApi, LayoutHasBytePrefixAndTerminator) {
  for (const std::u16string& text : {std::u16string(), std::u16string(u"a"), std::u16string(u"a\0b\0", 4)}) {
    SCOPED_TRACE(testing::Message() << "length " << text.size());
    BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(prefix_of(b), text.size() * 2);
    EXPECT_EQ(SysStringLen(b), text.size());
    EXPECT_EQ(SysStringByteLen(b), text.size() * 2);
    EXPECT_EQ(std::u16string(b, SysStringLen(b)), text);
    EXPECT_EQ(b[text.size()], u'\0');
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b) % 8, 0u);
    SysFreeString(b);
  }
}

TEST(BstrApi, AllocStringStopsAtTheFirstZeroAndNullsAreEmpty) {
  BSTR b = SysAllocString(u"photo");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(SysStringLen(b), 5u);
  SysFreeString(b);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  b = SysAllocStringLen(nullptr, 6);  // no source: zeroed and terminated
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(SysStringLen(b), 6u);
  for (UINT i = 0; i <= 6; ++i) EXPECT_EQ(b[i], u'\0') << i;
  SysFreeString(b);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
}

TEST(BstrApi, ByteLenKeepsOddLengthsAndTerminates) {
  struct Row { int line; const char* source; UINT length; };
  const Row rows[] = {{__LINE__, "abc", 3}, {__LINE__, "abcd", 4}, {__LINE__, "", 0}, {__LINE__, nullptr, 5}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    BSTR b = SysAllocStringByteLen(row.source, row.length);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringByteLen(b), row.length);
    EXPECT_EQ(SysStringLen(b), row.length / 2);
    const auto* bytes = reinterpret_cast<const char*>(b);
    if (row.source) {
      EXPECT_EQ(std::memcmp(bytes, row.source, row.length), 0);
    }
    // Terminated both as bytes and as UTF-16 text.
    EXPECT_EQ(bytes[row.length], 0);
    EXPECT_EQ(bytes[row.length + 1], 0);
    EXPECT_EQ(b[(row.length + 1) / 2], u'\0');
    SysFreeString(b);
  }
}

TEST(BstrApi, ReAllocReplacesAcceptsItsOwnTextAndKeepsTheOldOnGrowing) {
  BSTR b = SysAllocString(u"before and after");
  ASSERT_EQ(SysReAllocString(&b, b + 11), TRUE);  // source inside the string it replaces
  EXPECT_EQ(std::u16string(b, SysStringLen(b)), u"after");
  ASSERT_EQ(SysReAllocString(&b, nullptr), TRUE);
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(SysReAllocString(nullptr, u"x"), FALSE);
  b = SysAllocString(u"slide show");
  ASSERT_EQ(SysReAllocStringLen(&b, b, 5), TRUE);
  EXPECT_EQ(std::u16string(b, SysStringLen(b)), u"slide");
  ASSERT_EQ(SysReAllocStringLen(&b, nullptr, 7), TRUE);  // grows, old text kept, the rest zero
  EXPECT_EQ(SysStringLen(b), 7u);
  EXPECT_EQ(std::u16string(b, 7), std::u16string(u"slide\0\0", 7));
  EXPECT_EQ(b[7], u'\0');
  ASSERT_EQ(SysReAllocStringLen(&b, u"ab\0cd", 5), TRUE);
  EXPECT_EQ(std::u16string(b, SysStringLen(b)), std::u16string(u"ab\0cd", 5));
  SysFreeString(b);

  BSTR fresh = nullptr;
  ASSERT_EQ(SysReAllocStringLen(&fresh, u"new", 3), TRUE);
  EXPECT_EQ(std::u16string(fresh, SysStringLen(fresh)), u"new");
  SysFreeString(fresh);
  EXPECT_EQ(SysReAllocStringLen(nullptr, u"x", 1), FALSE);
}

TEST(BstrApi, CatJoinsWithNullAsEmpty) {
  BSTR left = SysAllocStringLen(u"a\0b", 3);
  BSTR right = SysAllocString(u"cd");
  BSTR joined = nullptr;
  ASSERT_EQ(VarBstrCat(left, right, &joined), S_OK);
  EXPECT_EQ(std::u16string(joined, SysStringLen(joined)), std::u16string(u"a\0bcd", 5));
  SysFreeString(joined);
  ASSERT_EQ(VarBstrCat(nullptr, nullptr, &joined), S_OK);
  ASSERT_NE(joined, nullptr);
  EXPECT_EQ(SysStringLen(joined), 0u);
  SysFreeString(joined);
  EXPECT_EQ(VarBstrCat(left, right, nullptr), E_INVALIDARG);
  SysFreeString(left);
  SysFreeString(right);
}

struct Text { bool null; std::u16string value; };
Text null_bstr() { return {true, {}}; }
Text text(std::u16string value) { return {false, std::move(value)}; }

BSTR make(const Text& t) { return t.null ? nullptr : SysAllocStringLen(t.value.data(), static_cast<UINT>(t.value.size())); }

TEST(VarBstrCmp, Table) {
  struct Row { int line; Text left; Text right; ULONG flags; HRESULT expected; };
  const Row rows[] = {
      {__LINE__, text(u"abc"), text(u"abc"), 0, VARCMP_EQ},    {__LINE__, text(u"abc"), text(u"abd"), 0, VARCMP_LT},
      {__LINE__, text(u"abd"), text(u"abc"), 0, VARCMP_GT},    {__LINE__, text(u"ab"), text(u"abc"), 0, VARCMP_LT},
      // Case-sensitive by default, lower case first; letters still order before case.
      {__LINE__, text(u"abc"), text(u"ABC"), 0, VARCMP_LT},    {__LINE__, text(u"B"), text(u"a"), 0, VARCMP_GT},
      {__LINE__, text(u"\u00C9t\u00E9"), text(u"\u00E9T\u00C9"), NORM_IGNORECASE, VARCMP_EQ},
      {__LINE__, text(u"\u0416"), text(u"\u0436"), NORM_IGNORECASE, VARCMP_EQ},
      {__LINE__, text(u"abc"), text(u"ABD"), NORM_IGNORECASE, VARCMP_LT},
      // Null is the empty string.
      {__LINE__, null_bstr(), null_bstr(), 0, VARCMP_EQ},      {__LINE__, null_bstr(), text(u""), 0, VARCMP_EQ},
      {__LINE__, text(u"a"), null_bstr(), 0, VARCMP_GT},
      // Embedded zeros are part of the length.
      {__LINE__, text(std::u16string(u"a\0b", 3)), text(std::u16string(u"a\0b", 3)), 0, VARCMP_EQ},
      {__LINE__, text(std::u16string(u"a\0b", 3)), text(std::u16string(u"a\0c", 3)), 0, VARCMP_LT},
      {__LINE__, text(u"a"), text(std::u16string(u"a\0", 2)), 0, VARCMP_LT},
  };
  for (const auto& row : rows) {
    BSTR left = make(row.left);
    BSTR right = make(row.right);
    EXPECT_EQ(VarBstrCmp(left, right, LOCALE_USER_DEFAULT, row.flags), row.expected) << "line " << row.line;
    EXPECT_EQ(VarBstrCmp(left, right, LOCALE_INVARIANT, row.flags), row.expected) << "line " << row.line;
    EXPECT_EQ(VarBstrCmp(right, left, LOCALE_USER_DEFAULT, row.flags), VARCMP_GT - row.expected) << "line " << row.line;
    SysFreeString(left);
    SysFreeString(right);
  }
}

}  // namespace
