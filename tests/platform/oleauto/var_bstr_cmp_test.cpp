#include <gtest/gtest.h>

#include <string>

#include "platform/oleauto.h"

namespace {

struct Text {
  bool null;
  std::u16string value;
};
Text null_bstr() { return {true, {}}; }
Text text(std::u16string value) { return {false, std::move(value)}; }

BSTR make(const Text& t) { return t.null ? nullptr : SysAllocStringLen(t.value.data(), static_cast<UINT>(t.value.size())); }

TEST(VarBstrCmp, Table) {
  struct Row { int line; Text left; Text right; ULONG flags; HRESULT expected; };
  const Row rows[] = {
      {__LINE__, text(u"abc"), text(u"abc"), 0, VARCMP_EQ},
      {__LINE__, text(u"abc"), text(u"abd"), 0, VARCMP_LT},
      {__LINE__, text(u"abd"), text(u"abc"), 0, VARCMP_GT},
      {__LINE__, text(u"ab"), text(u"abc"), 0, VARCMP_LT},
      {__LINE__, text(u"abc"), text(u"ab"), 0, VARCMP_GT},
      // Case-sensitive by default, lower case first; letters still order before case.
      {__LINE__, text(u"abc"), text(u"ABC"), 0, VARCMP_LT},
      {__LINE__, text(u"ABC"), text(u"abc"), 0, VARCMP_GT},
      {__LINE__, text(u"B"), text(u"a"), 0, VARCMP_GT},
      {__LINE__, text(u"a"), text(u"B"), 0, VARCMP_LT},
      {__LINE__, text(u"abc"), text(u"ABC"), NORM_IGNORECASE, VARCMP_EQ},
      {__LINE__, text(u"\u00C9t\u00E9"), text(u"\u00E9T\u00C9"), NORM_IGNORECASE, VARCMP_EQ},
      {__LINE__, text(u"\u0416"), text(u"\u0436"), NORM_IGNORECASE, VARCMP_EQ},
      {__LINE__, text(u"abc"), text(u"ABD"), NORM_IGNORECASE, VARCMP_LT},
      // Null is the empty string.
      {__LINE__, null_bstr(), null_bstr(), 0, VARCMP_EQ},
      {__LINE__, null_bstr(), text(u""), 0, VARCMP_EQ},
      {__LINE__, text(u""), null_bstr(), 0, VARCMP_EQ},
      {__LINE__, null_bstr(), text(u"a"), 0, VARCMP_LT},
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
    SysFreeString(left);
    SysFreeString(right);
  }
}

}  // namespace
