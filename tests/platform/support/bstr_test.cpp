#include <gtest/gtest.h>

#include <string>

#include "platform/support/bstr.h"

namespace {

using platform::Bstr;

TEST(Bstr, HoldsTextWithEmbeddedZeros) {
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

TEST(Bstr, MovesAndCopiesExplicitly) {
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
}

TEST(Bstr, PutFreesFirstAndDetachHandsOver) {
  Bstr b(u"old");
  BSTR* slot = b.put();
  EXPECT_EQ(*slot, nullptr);
  *slot = SysAllocString(u"new");
  EXPECT_EQ(b.view(), u"new");

  BSTR raw = b.detach();
  EXPECT_TRUE(b.is_null());
  Bstr again = Bstr::attach(raw);
  EXPECT_EQ(again.get(), raw);
}

TEST(Bstr, CopyToHandsOutAnOwnedCopy) {
  Bstr b(u"slide");
  BSTR out = reinterpret_cast<BSTR>(1);
  ASSERT_EQ(b.CopyTo(&out), S_OK);
  EXPECT_NE(out, b.get());
  EXPECT_EQ(std::u16string(out), u"slide");
  SysFreeString(out);
  EXPECT_EQ(b.CopyTo(nullptr), E_POINTER);
  ASSERT_EQ(Bstr().CopyTo(&out), S_OK);
  EXPECT_EQ(out, nullptr);
}

}  // namespace
