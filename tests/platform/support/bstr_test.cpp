#include <gtest/gtest.h>

#include <string>

#include "platform/support/bstr.h"

namespace {

using platform::Bstr;

TEST(Bstr, HoldsTextWithEmbeddedZerosAndTellsEmptyFromNull) {
  const std::u16string text(u"a\0b", 3);
  Bstr b(text);
  EXPECT_EQ(b.length(), 3u);
  EXPECT_EQ(b.view(), text);
  EXPECT_EQ(SysStringByteLen(b.get()), 6u);
  Bstr empty_text(std::u16string_view{});
  EXPECT_FALSE(empty_text.is_null());  // an allocated empty string
  EXPECT_EQ(empty_text.length(), 0u);
  Bstr none;
  EXPECT_TRUE(none.is_null());
  EXPECT_TRUE(none.view().empty());
}

TEST(Bstr, OwnershipMovesAndCopiesAreExplicit) {
  Bstr first(u"photo");
  const BSTR raw = first.get();
  Bstr second(std::move(first));
  EXPECT_TRUE(first.is_null());
  EXPECT_EQ(second.get(), raw);
  Bstr copy = second.copy();
  EXPECT_NE(copy.get(), second.get());
  EXPECT_EQ(copy.view(), u"photo");
  EXPECT_TRUE(Bstr().copy().is_null());
  second = std::move(copy);  // frees the old string (ASan checks)
  EXPECT_EQ(second.view(), u"photo");

  BSTR* slot = second.put();  // frees first
  EXPECT_EQ(*slot, nullptr);
  *slot = SysAllocString(u"new");
  EXPECT_EQ(second.view(), u"new");
  BSTR detached = second.detach();
  EXPECT_TRUE(second.is_null());
  Bstr again = Bstr::attach(detached);
  EXPECT_EQ(again.get(), detached);

  BSTR out = reinterpret_cast<BSTR>(1);  // CopyTo hands out an owned copy
  ASSERT_EQ(again.CopyTo(&out), S_OK);
  EXPECT_NE(out, again.get());
  EXPECT_EQ(std::u16string(out), u"new");
  SysFreeString(out);
  EXPECT_EQ(again.CopyTo(nullptr), E_POINTER);
  ASSERT_EQ(Bstr().CopyTo(&out), S_OK);
  EXPECT_EQ(out, nullptr);
}

}  // namespace
