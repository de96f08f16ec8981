#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "platform/support/safe_array.h"
#include "platform/support/variant.h"
#include "tests/fakes/counting_unknown.h"

namespace {

using fakes::CountingUnknown;
using platform::Bstr;
using platform::ComPtr;
using platform::SafeArray;
using platform::Variant;

TEST(SafeArray, VectorBoundsAndSize) {
  SafeArray array = SafeArray::create_vector(VT_I4, 1, 3);
  ASSERT_TRUE(array);
  EXPECT_EQ(array.vartype(), VT_I4);
  EXPECT_EQ(array.dimensions(), 1u);
  EXPECT_EQ(array.lbound(), 1);
  EXPECT_EQ(array.ubound(), 3);
  EXPECT_EQ(array.size(), 3u);
  EXPECT_EQ(array.lbound(2), 0);  // no such dimension: the empty range
  EXPECT_EQ(array.ubound(2), -1);

  SafeArray empty = SafeArray::create_vector(VT_BSTR, 0, 0);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty.size(), 0u);
  EXPECT_EQ(empty.ubound(), -1);
  EXPECT_FALSE(SafeArray::create_vector(VT_EMPTY, 0, 1));
  EXPECT_EQ(SafeArray().size(), 0u);
}

TEST(SafeArray, TypedElementsRoundTripAndRefuseOtherTypes) {
  SafeArray numbers = SafeArray::create_vector(VT_I4, 0, 2);
  ASSERT_EQ(numbers.put_element(1, 77), S_OK);
  LONG number = 0;
  ASSERT_EQ(numbers.get_element(1, number), S_OK);
  EXPECT_EQ(number, 77);
  EXPECT_EQ(numbers.get_element(2, number), DISP_E_BADINDEX);
  EXPECT_EQ(number, 77);

  Bstr text(u"kept");
  EXPECT_EQ(numbers.put_element(0, u"text"), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(numbers.get_element(0, text), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(text.view(), u"kept");
  SHORT small = 0;
  EXPECT_EQ(numbers.get_element(0, small), DISP_E_TYPEMISMATCH);

  SafeArray flags = SafeArray::create_vector(VT_BOOL, 0, 1);
  ASSERT_EQ(flags.put_element(0, true), S_OK);
  EXPECT_EQ(static_cast<const VARIANT_BOOL*>(flags.get()->pvData)[0], VARIANT_TRUE);
  bool flag = false;
  ASSERT_EQ(flags.get_element(0, flag), S_OK);
  EXPECT_TRUE(flag);

  SafeArray strings = SafeArray::create_vector(VT_BSTR, 0, 2);
  ASSERT_EQ(strings.put_element(0, u"literal"), S_OK);
  ASSERT_EQ(strings.put_element(1, std::u16string_view(u"a\0b", 3)), S_OK);
  ASSERT_EQ(strings.get_element(1, text), S_OK);
  EXPECT_EQ(text.view(), std::u16string_view(u"a\0b", 3));
  ASSERT_EQ(strings.get_element(0, text), S_OK);
  EXPECT_EQ(text.view(), u"literal");

  SafeArray variants = SafeArray::create_vector(VT_VARIANT, 0, 1);
  ASSERT_EQ(variants.put_element(0, Variant(u"inside")), S_OK);
  Variant got;
  ASSERT_EQ(variants.get_element(0, got), S_OK);
  EXPECT_EQ(got.as_bstr(), u"inside");
}

TEST(SafeArray, InterfaceElementsKeepExactCounts) {
  CountingUnknown first;
  CountingUnknown second;
  {
    SafeArray array = SafeArray::create_vector(VT_DISPATCH, 0, 2);
    ASSERT_EQ(array.put_element(0, first.dispatch()), S_OK);
    ASSERT_EQ(array.put_element(1, first.dispatch()), S_OK);
    EXPECT_EQ(first.refs(), 3u);
    ASSERT_EQ(array.put_element(1, second.dispatch()), S_OK);
    EXPECT_EQ(first.refs(), 2u);
    EXPECT_EQ(array.put_element(0, first.unknown()), DISP_E_TYPEMISMATCH);  // not an IDispatch array's type

    ComPtr<IDispatch> got;
    ASSERT_EQ(array.get_element(1, got), S_OK);
    EXPECT_EQ(got.get(), second.dispatch());
    EXPECT_EQ(second.refs(), 3u);
  }
  EXPECT_EQ(first.refs(), 1u);
  EXPECT_EQ(second.refs(), 1u);
  EXPECT_EQ(first.Release(), 0u);
  EXPECT_EQ(second.Release(), 0u);
}

TEST(SafeArray, LockGivesTheDataForItsLifetime) {
  SafeArray array = SafeArray::create_vector(VT_I4, 10, 4);
  {
    auto data = array.lock<LONG>();
    ASSERT_TRUE(data) << std::hex << data.hr();
    EXPECT_EQ(data.size(), 4u);
    EXPECT_EQ(array.get()->cLocks, 1u);
    std::iota(data.begin(), data.end(), 1);
    data[3] = 40;
    EXPECT_EQ(SafeArrayDestroy(array.get()), DISP_E_ARRAYISLOCKED);
  }
  EXPECT_EQ(array.get()->cLocks, 0u);
  LONG value = 0;
  ASSERT_EQ(array.get_element(11, value), S_OK);
  EXPECT_EQ(value, 2);
  ASSERT_EQ(array.get_element(13, value), S_OK);
  EXPECT_EQ(value, 40);
}

TEST(SafeArray, LockRefusesAnotherElementTypeAndAddsNoReferences) {
  CountingUnknown object;
  SafeArray array = SafeArray::create_vector(VT_UNKNOWN, 0, 3);
  ASSERT_EQ(array.put_element(2, object.unknown()), S_OK);
  auto wrong = array.lock<BSTR>();
  EXPECT_FALSE(wrong);
  EXPECT_EQ(wrong.hr(), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(wrong.size(), 0u);
  EXPECT_EQ(array.get()->cLocks, 0u);
  {
    auto items = array.lock<IUnknown*>();
    ASSERT_TRUE(items);
    EXPECT_EQ(items[0], nullptr);
    EXPECT_EQ(items[2], object.unknown());
    EXPECT_EQ(object.refs(), 2u);
  }
  array.reset();
  EXPECT_EQ(object.refs(), 1u);
  SafeArray flags = SafeArray::create_vector(VT_BOOL, 0, 1);
  EXPECT_TRUE(flags.lock<VARIANT_BOOL>());
  EXPECT_EQ(SafeArray().lock<LONG>().hr(), E_POINTER);
}

TEST(SafeArray, CopyIsDeepAndPutEmptiesFirst) {
  SafeArray strings = SafeArray::create_vector(VT_BSTR, 0, 1);
  ASSERT_EQ(strings.put_element(0, u"one"), S_OK);
  SafeArray copy;
  ASSERT_EQ(strings.copy(copy), S_OK);
  ASSERT_TRUE(copy);
  EXPECT_NE(copy.get(), strings.get());
  Bstr text;
  ASSERT_EQ(copy.get_element(0, text), S_OK);
  EXPECT_EQ(text.view(), u"one");

  SAFEARRAY** slot = copy.put();
  EXPECT_EQ(*slot, nullptr);
  EXPECT_FALSE(copy);
}

}  // namespace
