#include <gtest/gtest.h>

#include <string>

#include "platform/oleauto.h"
#include "tests/fakes/counting_unknown.h"

namespace {

using fakes::CountingUnknown;

// A VARIANT of a pointer type (interfaces, strings, arrays, references); takes no reference.
VARIANT pointing(VARTYPE vt, void* pointer) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  v.byref = pointer;
  return v;
}

SAFEARRAY* unknown_vector(IUnknown* element) {
  SAFEARRAY* psa = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
  LONG index = 1;
  EXPECT_EQ(SafeArrayPutElement(psa, &index, element), S_OK);
  return psa;
}

TEST(VariantApi, InitMakesEmptyAndClearReleasesInterfacesOnce) {
  CountingUnknown object;
  VARIANT v;
  v.vt = VT_I4;
  VariantInit(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);
  object.AddRef();  // the variant's reference
  v = pointing(VT_DISPATCH, object.dispatch());
  ASSERT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(object.releases(), 1u);
  ASSERT_EQ(VariantClear(&v), S_OK);  // now empty: nothing more released
  EXPECT_EQ(object.releases(), 1u);
  EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);

  // By-reference variants leave what they point to alone (ASan would notice a freed string).
  IUnknown* target = object.unknown();
  BSTR text = SysAllocString(u"kept");
  v = pointing(VT_UNKNOWN | VT_BYREF, &target);
  ASSERT_EQ(VariantClear(&v), S_OK);
  v = pointing(VT_BSTR | VT_BYREF, &text);
  ASSERT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(object.releases(), 1u);
  EXPECT_EQ(std::u16string(text), u"kept");
  SysFreeString(text);
}

TEST(VariantApi, ClearDestroysArraysAndRefusesLockedOnes) {
  CountingUnknown object;
  VARIANT v = pointing(VT_ARRAY | VT_UNKNOWN, unknown_vector(object.unknown()));
  EXPECT_EQ(object.refs(), 2u);
  ASSERT_EQ(SafeArrayLock(v.parray), S_OK);
  EXPECT_EQ(VariantClear(&v), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(v.vt, VT_ARRAY | VT_UNKNOWN);
  ASSERT_EQ(SafeArrayUnlock(v.parray), S_OK);
  ASSERT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(object.refs(), 1u);
}

TEST(VariantApi, ClearAndCopyRejectBadTypes) {
  const VARTYPE bad[] = {15,          VT_VOID,           VT_PTR,          VT_LPWSTR,         VT_RECORD,
                         VT_I4 | VT_VECTOR, VT_I4 | VT_RESERVED, VT_EMPTY | VT_BYREF, VT_NULL | VT_ARRAY};
  for (const VARTYPE vt : bad) {
    VARIANT v{};
    v.vt = vt;
    EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE) << "vt " << vt;
    EXPECT_EQ(v.vt, vt);
    VARIANT dest;
    VariantInit(&dest);
    EXPECT_EQ(VariantCopy(&dest, &v), DISP_E_BADVARTYPE) << "vt " << vt;
  }
}

TEST(VariantApi, CopyAddRefsInterfacesDuplicatesStringsAndClearsTheDestinationFirst) {
  CountingUnknown source_object;
  CountingUnknown old_object;
  VARIANT src = pointing(VT_UNKNOWN, source_object.unknown());  // borrowed for the test
  old_object.AddRef();
  VARIANT dest = pointing(VT_DISPATCH, old_object.dispatch());
  ASSERT_EQ(VariantCopy(&dest, &src), S_OK);
  EXPECT_EQ(dest.vt, VT_UNKNOWN);
  EXPECT_EQ(dest.punkVal, source_object.unknown());
  EXPECT_EQ(source_object.refs(), 2u);
  EXPECT_EQ(old_object.refs(), 1u);
  ASSERT_EQ(VariantCopy(&dest, &dest), S_OK);  // copying onto itself changes nothing
  EXPECT_EQ(source_object.refs(), 2u);

  src = pointing(VT_BSTR, SysAllocStringLen(u"a\0b", 3));
  ASSERT_EQ(VariantCopy(&dest, &src), S_OK);
  EXPECT_EQ(source_object.refs(), 1u);
  ASSERT_NE(dest.bstrVal, src.bstrVal);
  EXPECT_EQ(std::u16string(dest.bstrVal, SysStringLen(dest.bstrVal)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(VariantClear(&src), S_OK);
  EXPECT_EQ(VariantClear(&dest), S_OK);
}

TEST(VariantApi, CopyOfArrayCopiesElementsAndOfByRefCopiesThePointer) {
  CountingUnknown object;
  VARIANT src = pointing(VT_ARRAY | VT_UNKNOWN, unknown_vector(object.unknown()));
  VARIANT dest;
  VariantInit(&dest);
  ASSERT_EQ(VariantCopy(&dest, &src), S_OK);
  EXPECT_NE(dest.parray, src.parray);
  EXPECT_EQ(object.refs(), 3u);
  ASSERT_EQ(VariantClear(&dest), S_OK);
  EXPECT_EQ(object.refs(), 2u);

  VARIANT byref = pointing(VT_ARRAY | VT_UNKNOWN | VT_BYREF, &src.parray);
  ASSERT_EQ(VariantCopy(&dest, &byref), S_OK);
  EXPECT_EQ(dest.vt, VT_ARRAY | VT_UNKNOWN | VT_BYREF);
  EXPECT_EQ(dest.pparray, &src.parray);
  EXPECT_EQ(object.refs(), 2u);
  ASSERT_EQ(VariantClear(&src), S_OK);
  EXPECT_EQ(object.refs(), 1u);
}

TEST(VariantApi, CopyIndDereferences) {
  CountingUnknown object;
  LONG number = 42;
  BSTR text = SysAllocString(u"album");
  IDispatch* dispatch = object.dispatch();
  VARIANT inner = pointing(VT_BSTR, SysAllocString(u"inner"));
  struct Row { int line; VARTYPE vt; void* target; VARTYPE expected_vt; };
  const Row rows[] = {
      {__LINE__, VT_I4, &number, VT_I4},
      {__LINE__, VT_BSTR, &text, VT_BSTR},
      {__LINE__, VT_DISPATCH, &dispatch, VT_DISPATCH},
      {__LINE__, VT_VARIANT, &inner, VT_BSTR},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    VARIANT ref = pointing(row.vt | VT_BYREF, row.target);
    VARIANT dest;
    VariantInit(&dest);
    ASSERT_EQ(VariantCopyInd(&dest, &ref), S_OK);
    EXPECT_EQ(dest.vt, row.expected_vt);
    if (row.vt == VT_I4) {
      EXPECT_EQ(dest.lVal, 42);
    } else if (row.vt == VT_BSTR) {
      EXPECT_NE(dest.bstrVal, text);
      EXPECT_EQ(std::u16string(dest.bstrVal), u"album");
    } else if (row.vt == VT_DISPATCH) {
      EXPECT_EQ(object.refs(), 2u);
    } else {
      EXPECT_EQ(std::u16string(dest.bstrVal), u"inner");
    }
    EXPECT_EQ(VariantClear(&dest), S_OK);
  }
  EXPECT_EQ(object.refs(), 1u);

  // In place: the reference becomes the value.
  VARIANT in_place = pointing(VT_BSTR | VT_BYREF, &text);
  ASSERT_EQ(VariantCopyInd(&in_place, &in_place), S_OK);
  EXPECT_EQ(in_place.vt, VT_BSTR);
  EXPECT_NE(in_place.bstrVal, text);
  EXPECT_EQ(VariantClear(&in_place), S_OK);

  // A reference to a reference to a variant is refused.
  VARIANT middle = pointing(VT_VARIANT | VT_BYREF, &inner);
  VARIANT outer = pointing(VT_VARIANT | VT_BYREF, &middle);
  VARIANT dest;
  VariantInit(&dest);
  EXPECT_EQ(VariantCopyInd(&dest, &outer), E_INVALIDARG);
  EXPECT_EQ(dest.vt, VT_EMPTY);
  EXPECT_EQ(VariantClear(&inner), S_OK);
  SysFreeString(text);
}

}  // namespace
