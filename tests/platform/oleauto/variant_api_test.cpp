#include <gtest/gtest.h>

#include <string>

#include "platform/oleauto.h"
#include "tests/fakes/counting_unknown.h"

namespace {

using fakes::CountingUnknown;

VARIANT bstr_variant(const char16_t* text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

SAFEARRAY* unknown_vector(IUnknown* element) {
  SAFEARRAY* psa = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
  LONG index = 1;
  EXPECT_EQ(SafeArrayPutElement(psa, &index, element), S_OK);
  return psa;
}

TEST(VariantApi, InitMakesEmpty) {
  VARIANT v;
  v.vt = VT_I4;
  VariantInit(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);
}

TEST(VariantApi, ClearReleasesInterfacesOnce) {
  CountingUnknown object;
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = object.dispatch();
  object.AddRef();  // the variant's reference
  ASSERT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(object.releases(), 1u);
  ASSERT_EQ(VariantClear(&v), S_OK);  // now empty: nothing more released
  EXPECT_EQ(object.releases(), 1u);
  EXPECT_EQ(object.Release(), 0u);
}

TEST(VariantApi, ClearLeavesByRefTargetsAlone) {
  CountingUnknown object;
  IUnknown* target = object.unknown();
  BSTR text = SysAllocString(u"kept");
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_UNKNOWN | VT_BYREF;
  v.ppunkVal = &target;
  ASSERT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(object.releases(), 0u);
  v.vt = VT_BSTR | VT_BYREF;
  v.pbstrVal = &text;
  ASSERT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(std::u16string(text), u"kept");  // still alive (ASan would notice otherwise)
  SysFreeString(text);
  EXPECT_EQ(object.Release(), 0u);
}

TEST(VariantApi, ClearDestroysArraysAndRefusesLockedOnes) {
  CountingUnknown object;
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ARRAY | VT_UNKNOWN;
  v.parray = unknown_vector(object.unknown());
  EXPECT_EQ(object.refs(), 2u);

  ASSERT_EQ(SafeArrayLock(v.parray), S_OK);
  EXPECT_EQ(VariantClear(&v), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(v.vt, VT_ARRAY | VT_UNKNOWN);
  ASSERT_EQ(SafeArrayUnlock(v.parray), S_OK);

  ASSERT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(object.refs(), 1u);
  EXPECT_EQ(object.Release(), 0u);
}

TEST(VariantApi, ClearAndCopyRejectBadTypes) {
  struct Row {
    int line;
    VARTYPE vt;
  };
  const Row rows[] = {
      {__LINE__, 15},
      {__LINE__, VT_VOID},
      {__LINE__, VT_PTR},
      {__LINE__, VT_LPWSTR},
      {__LINE__, VT_RECORD},
      {__LINE__, VT_I4 | VT_VECTOR},
      {__LINE__, VT_I4 | VT_RESERVED},
      {__LINE__, VT_EMPTY | VT_BYREF},
      {__LINE__, VT_NULL | VT_ARRAY},
  };
  for (const auto& row : rows) {
    VARIANT v{};
    v.vt = row.vt;
    EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE) << "line " << row.line;
    EXPECT_EQ(v.vt, row.vt) << "line " << row.line;
    VARIANT dest;
    VariantInit(&dest);
    EXPECT_EQ(VariantCopy(&dest, &v), DISP_E_BADVARTYPE) << "line " << row.line;
  }
  EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

TEST(VariantApi, CopyAddRefsInterfacesAndClearsDestinationFirst) {
  CountingUnknown source_object;
  CountingUnknown old_object;
  VARIANT src;
  VariantInit(&src);
  src.vt = VT_UNKNOWN;
  src.punkVal = source_object.unknown();  // borrowed for the test

  VARIANT dest;
  VariantInit(&dest);
  dest.vt = VT_DISPATCH;
  dest.pdispVal = old_object.dispatch();
  old_object.AddRef();

  ASSERT_EQ(VariantCopy(&dest, &src), S_OK);
  EXPECT_EQ(dest.vt, VT_UNKNOWN);
  EXPECT_EQ(dest.punkVal, source_object.unknown());
  EXPECT_EQ(source_object.refs(), 2u);
  EXPECT_EQ(old_object.refs(), 1u);

  ASSERT_EQ(VariantCopy(&dest, &dest), S_OK);  // copying onto itself changes nothing
  EXPECT_EQ(source_object.refs(), 2u);

  ASSERT_EQ(VariantClear(&dest), S_OK);
  EXPECT_EQ(source_object.Release(), 0u);
  EXPECT_EQ(old_object.Release(), 0u);
}

TEST(VariantApi, CopyDuplicatesBstrWithEmbeddedZeros) {
  VARIANT src;
  VariantInit(&src);
  src.vt = VT_BSTR;
  src.bstrVal = SysAllocStringLen(u"a\0b", 3);
  VARIANT dest;
  VariantInit(&dest);
  ASSERT_EQ(VariantCopy(&dest, &src), S_OK);
  ASSERT_NE(dest.bstrVal, src.bstrVal);
  EXPECT_EQ(std::u16string(dest.bstrVal, SysStringLen(dest.bstrVal)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(VariantClear(&src), S_OK);
  EXPECT_EQ(VariantClear(&dest), S_OK);
}

TEST(VariantApi, CopyOfArrayCopiesElementsAndOfByRefCopiesThePointer) {
  CountingUnknown object;
  VARIANT src;
  VariantInit(&src);
  src.vt = VT_ARRAY | VT_UNKNOWN;
  src.parray = unknown_vector(object.unknown());
  VARIANT dest;
  VariantInit(&dest);
  ASSERT_EQ(VariantCopy(&dest, &src), S_OK);
  EXPECT_NE(dest.parray, src.parray);
  EXPECT_EQ(object.refs(), 3u);
  ASSERT_EQ(VariantClear(&dest), S_OK);
  EXPECT_EQ(object.refs(), 2u);

  VARIANT byref;
  VariantInit(&byref);
  byref.vt = VT_ARRAY | VT_UNKNOWN | VT_BYREF;
  byref.pparray = &src.parray;
  ASSERT_EQ(VariantCopy(&dest, &byref), S_OK);
  EXPECT_EQ(dest.vt, VT_ARRAY | VT_UNKNOWN | VT_BYREF);
  EXPECT_EQ(dest.pparray, &src.parray);
  EXPECT_EQ(object.refs(), 2u);

  ASSERT_EQ(VariantClear(&src), S_OK);
  EXPECT_EQ(object.Release(), 0u);
}

TEST(VariantApi, CopyIndDereferences) {
  CountingUnknown object;
  LONG number = 42;
  BSTR text = SysAllocString(u"album");
  IDispatch* dispatch = object.dispatch();
  VARIANT inner = bstr_variant(u"inner");

  struct Row {
    int line;
    VARTYPE vt;
    void* target;
    VARTYPE expected_vt;
  };
  const Row rows[] = {
      {__LINE__, VT_I4, &number, VT_I4},
      {__LINE__, VT_BSTR, &text, VT_BSTR},
      {__LINE__, VT_DISPATCH, &dispatch, VT_DISPATCH},
      {__LINE__, VT_VARIANT, &inner, VT_BSTR},
  };
  for (const auto& row : rows) {
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = row.vt | VT_BYREF;
    ref.byref = row.target;
    VARIANT dest;
    VariantInit(&dest);
    ASSERT_EQ(VariantCopyInd(&dest, &ref), S_OK) << "line " << row.line;
    EXPECT_EQ(dest.vt, row.expected_vt) << "line " << row.line;
    if (row.vt == VT_I4) {
      EXPECT_EQ(dest.lVal, 42) << "line " << row.line;
    }
    if (row.vt == VT_BSTR) {
      EXPECT_NE(dest.bstrVal, text);
      EXPECT_EQ(std::u16string(dest.bstrVal), u"album") << "line " << row.line;
    }
    if (row.vt == VT_DISPATCH) {
      EXPECT_EQ(object.refs(), 2u) << "line " << row.line;
    }
    if (row.vt == VT_VARIANT) {
      EXPECT_EQ(std::u16string(dest.bstrVal), u"inner") << "line " << row.line;
    }
    EXPECT_EQ(VariantClear(&dest), S_OK) << "line " << row.line;
  }
  EXPECT_EQ(object.refs(), 1u);

  // In place: the reference becomes the value.
  VARIANT in_place;
  VariantInit(&in_place);
  in_place.vt = VT_BSTR | VT_BYREF;
  in_place.pbstrVal = &text;
  ASSERT_EQ(VariantCopyInd(&in_place, &in_place), S_OK);
  EXPECT_EQ(in_place.vt, VT_BSTR);
  EXPECT_NE(in_place.bstrVal, text);
  EXPECT_EQ(VariantClear(&in_place), S_OK);

  // A reference to a reference to a variant is refused.
  VARIANT middle;
  VariantInit(&middle);
  middle.vt = VT_VARIANT | VT_BYREF;
  middle.pvarVal = &inner;
  VARIANT outer;
  VariantInit(&outer);
  outer.vt = VT_VARIANT | VT_BYREF;
  outer.pvarVal = &middle;
  VARIANT dest;
  VariantInit(&dest);
  EXPECT_EQ(VariantCopyInd(&dest, &outer), E_INVALIDARG);
  EXPECT_EQ(dest.vt, VT_EMPTY);

  EXPECT_EQ(VariantClear(&inner), S_OK);
  SysFreeString(text);
  EXPECT_EQ(object.Release(), 0u);
}

}  // namespace
