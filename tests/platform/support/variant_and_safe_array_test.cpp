// The Variant and SafeArray wrappers; what they pass on to the API is tested with the API.
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

TEST(Variant, ConstructorsPickTheTypeAndAccessorsAnswerOnlyForIt) {
  struct Row { int line; Variant value; VARTYPE vt; };
  const Row rows[] = {
      {__LINE__, Variant(), VT_EMPTY},                         {__LINE__, Variant(LONG{7}), VT_I4},
      {__LINE__, Variant(7), VT_I4},                           {__LINE__, Variant(SHORT{7}), VT_I2},
      {__LINE__, Variant(true), VT_BOOL},                      {__LINE__, Variant(2.5), VT_R8},
      {__LINE__, Variant(u"text"), VT_BSTR},
      {__LINE__, Variant(std::u16string_view(u"text")), VT_BSTR},
      {__LINE__, Variant(Bstr(u"text")), VT_BSTR},
      {__LINE__, Variant(SafeArray::create_vector(VT_BSTR, 0, 1)), VT_ARRAY | VT_BSTR},
      {__LINE__, Variant(SafeArray()), VT_EMPTY},
  };
  for (const auto& row : rows) EXPECT_EQ(row.value.vt(), row.vt) << "line " << row.line;

  const Variant number(42);
  EXPECT_EQ(number.as_long(), 42);
  EXPECT_FALSE(number.as_short());
  EXPECT_FALSE(number.as_bstr());
  EXPECT_FALSE(number.as_bool());

  const Variant yes(true);
  EXPECT_EQ(yes.get()->boolVal, VARIANT_TRUE);
  EXPECT_EQ(yes.as_bool(), true);
  EXPECT_EQ(Variant(false).as_bool(), false);

  const Variant text(std::u16string_view(u"a\0b", 3));
  EXPECT_EQ(text.as_bstr(), std::u16string_view(u"a\0b", 3));
  EXPECT_EQ(Variant(static_cast<const OLECHAR*>(nullptr)).as_bstr(), std::u16string_view());
  EXPECT_EQ(Variant(2.5).as_double(), 2.5);
}

TEST(Variant, InterfacesAreCountedAndCopiesAreDeepAndExplicit) {
  CountingUnknown object;
  {
    auto unknown = ComPtr<IUnknown>::borrow(object.unknown());
    Variant held(unknown);
    EXPECT_EQ(held.vt(), VT_UNKNOWN);
    EXPECT_EQ(object.refs(), 3u);
    {
      auto got = held.as_unknown();
      ASSERT_TRUE(got);
      EXPECT_EQ(got->get(), object.unknown());
      EXPECT_EQ(object.refs(), 4u);
    }
    EXPECT_FALSE(held.as_dispatch());
    Variant moved(std::move(held));
    EXPECT_EQ(held.vt(), VT_EMPTY);
    EXPECT_EQ(object.refs(), 3u);
  }
  EXPECT_EQ(object.refs(), 1u);
  {
    Variant dispatch(ComPtr<IDispatch>::borrow(object.dispatch()));
    EXPECT_EQ(dispatch.vt(), VT_DISPATCH);
    EXPECT_EQ(object.refs(), 2u);
  }

  Variant original(ComPtr<IDispatch>::borrow(object.dispatch()));
  Variant copy(u"overwritten");
  ASSERT_EQ(original.copy(copy), S_OK);
  EXPECT_EQ(copy.vt(), VT_DISPATCH);
  EXPECT_EQ(object.refs(), 3u);

  Variant bad = Variant::attach(VARIANT{});
  bad.get()->vt = 15;  // not a VARIANT type
  Variant kept(5);
  EXPECT_EQ(bad.copy(kept), DISP_E_BADVARTYPE);
  EXPECT_EQ(kept.as_long(), 5);
  bad.get()->vt = VT_EMPTY;

  copy.clear();
  original.clear();
  EXPECT_EQ(object.Release(), 0u);
}

TEST(Variant, ChangeTypeConvertsOrLeavesItselfAloneAndPutAndDetachHandOver) {
  Variant v(2024);
  ASSERT_EQ(v.change_type(VT_BSTR), S_OK);
  EXPECT_EQ(v.as_bstr(), u"2024");
  Variant text(u"photo");
  EXPECT_EQ(text.change_type(VT_I4), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(text.as_bstr(), u"photo");

  Variant yes(true);
  ASSERT_EQ(yes.change_type(VT_BSTR, VARIANT_ALPHABOOL), S_OK);  // the flags are passed on
  EXPECT_EQ(yes.as_bstr(), u"True");

  VARIANT* out = text.put();  // frees the string first
  EXPECT_EQ(out->vt, VT_EMPTY);
  out->vt = VT_BSTR;
  out->bstrVal = SysAllocString(u"new");
  EXPECT_EQ(text.as_bstr(), u"new");
  VARIANT raw = text.detach();
  EXPECT_EQ(text.vt(), VT_EMPTY);
  EXPECT_EQ(raw.vt, VT_BSTR);
  Variant again = Variant::attach(raw);
  EXPECT_EQ(again.as_bstr(), u"new");
}

TEST(Variant, OwnsAnArrayItTookOver) {
  CountingUnknown object;
  {
    SafeArray array = SafeArray::create_vector(VT_UNKNOWN, 0, 1);
    ASSERT_EQ(array.put_element(0, object.unknown()), S_OK);
    Variant v(std::move(array));
    EXPECT_FALSE(array);
    EXPECT_EQ(v.vt(), VT_ARRAY | VT_UNKNOWN);
    ASSERT_TRUE(v.as_array());
    EXPECT_EQ(SafeArrayGetDim(*v.as_array()), 1u);
    EXPECT_EQ(object.refs(), 2u);
  }
  EXPECT_EQ(object.refs(), 1u);
  SAFEARRAY* untyped = nullptr;
  ASSERT_EQ(SafeArrayAllocDescriptor(1, &untyped), S_OK);
  EXPECT_THROW(Variant(SafeArray::attach(untyped)), platform::ComError);
  EXPECT_EQ(object.Release(), 0u);
}

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
  ASSERT_EQ(strings.put_element(1, std::u16string_view(u"a\0b", 3)), S_OK);
  ASSERT_EQ(strings.get_element(1, text), S_OK);
  EXPECT_EQ(text.view(), std::u16string_view(u"a\0b", 3));

  SafeArray variants = SafeArray::create_vector(VT_VARIANT, 0, 1);
  ASSERT_EQ(variants.put_element(0, Variant(u"inside")), S_OK);
  Variant got;
  ASSERT_EQ(variants.get_element(0, got), S_OK);
  EXPECT_EQ(got.as_bstr(), u"inside");
}

// Counting itself is the API's (see safe_array_api_test); the wrapper keeps the element type.
TEST(SafeArray, InterfaceElementsKeepTheirType) {
  CountingUnknown object;
  {
    SafeArray array = SafeArray::create_vector(VT_DISPATCH, 0, 2);
    ASSERT_EQ(array.put_element(1, object.dispatch()), S_OK);
    EXPECT_EQ(array.put_element(0, object.unknown()), DISP_E_TYPEMISMATCH);  // not an IDispatch array's type
    ComPtr<IDispatch> got;
    ASSERT_EQ(array.get_element(1, got), S_OK);
    EXPECT_EQ(got.get(), object.dispatch());
    EXPECT_EQ(object.refs(), 3u);
  }
  EXPECT_EQ(object.refs(), 1u);
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
  EXPECT_TRUE(SafeArray::create_vector(VT_BOOL, 0, 1).lock<VARIANT_BOOL>()) << "a short for VT_BOOL too";
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
