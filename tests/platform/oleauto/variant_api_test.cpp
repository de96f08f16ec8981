// VARIANT: clearing, copying and converting.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "platform/oleauto.h"
#include "platform/winnls.h"
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
  const VARTYPE bad[] = {15, VT_VOID, VT_RECORD, VT_I4 | VT_VECTOR, VT_I4 | VT_RESERVED, VT_EMPTY | VT_BYREF,
                         VT_NULL | VT_ARRAY};
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

// A VARIANT that frees what it holds, so table rows can be built by value.
struct Value {
  VARIANT v;
  Value() { VariantInit(&v); }
  Value(const Value& other) {
    VariantInit(&v);
    EXPECT_EQ(VariantCopy(&v, &other.v), S_OK);
  }
  Value& operator=(const Value&) = delete;
  ~Value() { EXPECT_EQ(VariantClear(&v), S_OK); }
};

Value of_vt(VARTYPE vt) {
  Value x;
  x.v.vt = vt;
  return x;
}
Value i2(SHORT n) { Value x = of_vt(VT_I2); x.v.iVal = n; return x; }
Value i4(LONG n) { Value x = of_vt(VT_I4); x.v.lVal = n; return x; }
Value ui4(ULONG n) { Value x = of_vt(VT_UI4); x.v.ulVal = n; return x; }
Value r8(double d) { Value x = of_vt(VT_R8); x.v.dblVal = d; return x; }
Value boolean(bool b) { Value x = of_vt(VT_BOOL); x.v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE; return x; }
Value error(SCODE code) { Value x = of_vt(VT_ERROR); x.v.scode = code; return x; }
Value empty() { return of_vt(VT_EMPTY); }
// A VARIANT with a reference of its own to `object`.
Value holding(VARTYPE vt, IUnknown* object) {
  Value x = of_vt(vt);
  x.v.punkVal = object;
  if (object) object->AddRef();
  return x;
}
Value null() { return of_vt(VT_NULL); }
Value bstr(std::u16string_view text) {
  Value x = of_vt(VT_BSTR);
  x.v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return x;
}

// The type and the exact value, to compare and to show.
std::string describe(const VARIANT& v) {
  char number[32] = "";
  switch (v.vt) {
    case VT_I2: std::snprintf(number, sizeof number, "%d", v.iVal); break;
    case VT_I4: std::snprintf(number, sizeof number, "%d", static_cast<int>(v.lVal)); break;
    case VT_UI4: std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(v.ulVal)); break;
    case VT_R8: std::snprintf(number, sizeof number, "%.17g", v.dblVal); break;
    case VT_BOOL: std::snprintf(number, sizeof number, "%d", v.boolVal); break;
    case VT_ERROR: std::snprintf(number, sizeof number, "%x", static_cast<unsigned>(v.scode)); break;
    case VT_BSTR: return "vt=8 \"" + platform::to_utf8({v.bstrVal, SysStringLen(v.bstrVal)}) + "\"";
  }
  return "vt=" + std::to_string(v.vt) + " " + number;
}

TEST(VariantApi, CopyIndDereferencesCopiesAndRefusesAReferenceToAReference) {
  CountingUnknown object;
  LONG number = 42;
  BSTR text = SysAllocString(u"album");
  IDispatch* dispatch = object.dispatch();
  Value inner = bstr(u"inner");
  const std::pair<VARIANT, const char*> rows[] = {
      {pointing(VT_I4 | VT_BYREF, &number), "vt=3 42"},
      {pointing(VT_BSTR | VT_BYREF, &text), "vt=8 \"album\""},
      {pointing(VT_VARIANT | VT_BYREF, &inner.v), "vt=8 \"inner\""},
      {pointing(VT_DISPATCH | VT_BYREF, &dispatch), "vt=9 "},
  };
  for (const auto& [ref, expected] : rows) {
    Value dest;
    ASSERT_EQ(VariantCopyInd(&dest.v, &ref), S_OK);
    EXPECT_EQ(describe(dest.v), expected);
    if (dest.v.vt == VT_BSTR) {
      EXPECT_NE(dest.v.bstrVal, text) << "a string is copied";
    }
    EXPECT_EQ(object.refs(), ref.vt == (VT_DISPATCH | VT_BYREF) ? 2u : 1u) << expected;
  }
  Value in_place;  // in place, the reference becomes the value
  in_place.v = pointing(VT_BSTR | VT_BYREF, &text);
  ASSERT_EQ(VariantCopyInd(&in_place.v, &in_place.v), S_OK);
  EXPECT_EQ(describe(in_place.v), "vt=8 \"album\"");
  VARIANT middle = pointing(VT_VARIANT | VT_BYREF, &inner.v);
  VARIANT outer = pointing(VT_VARIANT | VT_BYREF, &middle);
  Value dest;
  EXPECT_EQ(VariantCopyInd(&dest.v, &outer), E_INVALIDARG);
  EXPECT_EQ(dest.v.vt, VT_EMPTY);
  SysFreeString(text);
}

TEST(VariantChangeType, ConversionTable) {
  struct Row { int line; Value source; USHORT flags; VARTYPE target; HRESULT hr; Value expected; };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Row rows[] = {
      // Numbers to text.
      {__LINE__, i4(42), 0, VT_BSTR, S_OK, bstr(u"42")},
      {__LINE__, i2(-32768), 0, VT_BSTR, S_OK, bstr(u"-32768")},
      {__LINE__, ui4(4294967295u), 0, VT_BSTR, S_OK, bstr(u"4294967295")},
      {__LINE__, r8(1.5), 0, VT_BSTR, S_OK, bstr(u"1.5")},
      {__LINE__, r8(1.0 / 3), 0, VT_BSTR, S_OK, bstr(u"0.333333333333333")},
      {__LINE__, r8(1e20), 0, VT_BSTR, S_OK, bstr(u"1E+20")},
      {__LINE__, r8(123456789012345678.0), 0, VT_BSTR, S_OK, bstr(u"1.23456789012346E+17")},
      {__LINE__, r8(-0.0), 0, VT_BSTR, S_OK, bstr(u"0")},
      // Booleans to text: numbers unless a flag asks for names.
      {__LINE__, boolean(true), 0, VT_BSTR, S_OK, bstr(u"-1")},
      {__LINE__, boolean(false), 0, VT_BSTR, S_OK, bstr(u"0")},
      {__LINE__, boolean(true), VARIANT_ALPHABOOL, VT_BSTR, S_OK, bstr(u"True")},
      {__LINE__, boolean(false), VARIANT_LOCALBOOL, VT_BSTR, S_OK, bstr(u"False")},
      // Empty and null.
      {__LINE__, empty(), 0, VT_BSTR, S_OK, bstr(u"")},
      {__LINE__, empty(), 0, VT_I4, S_OK, i4(0)},
      {__LINE__, empty(), 0, VT_NULL, S_OK, null()},
      {__LINE__, null(), 0, VT_I4, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, null(), 0, VT_EMPTY, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, i4(5), 0, VT_EMPTY, S_OK, empty()},
      {__LINE__, bstr(u"x"), 0, VT_NULL, S_OK, null()},
      // Text to numbers.
      {__LINE__, bstr(u"  -45 "), 0, VT_I4, S_OK, i4(-45)},
      {__LINE__, bstr(u"+8"), 0, VT_I2, S_OK, i2(8)},
      {__LINE__, bstr(u"1,000"), 0, VT_I4, S_OK, i4(1000)},
      {__LINE__, bstr(u"2.5"), 0, VT_I4, S_OK, i4(2)},
      {__LINE__, bstr(u"3.5"), 0, VT_I4, S_OK, i4(4)},
      {__LINE__, bstr(u"1e3"), 0, VT_I4, S_OK, i4(1000)},
      {__LINE__, bstr(u"-2147483648"), 0, VT_I4, S_OK, i4(-2147483647 - 1)},
      {__LINE__, bstr(u"2147483648"), 0, VT_I4, DISP_E_OVERFLOW, {}},
      {__LINE__, bstr(u"32768"), 0, VT_I2, DISP_E_OVERFLOW, {}},
      {__LINE__, bstr(u"4294967295"), 0, VT_UI4, S_OK, ui4(4294967295u)},
      {__LINE__, bstr(u"-1"), 0, VT_UI4, DISP_E_OVERFLOW, {}},
      {__LINE__, bstr(u".5"), 0, VT_R8, S_OK, r8(0.5)},
      {__LINE__, bstr(u"1e400"), 0, VT_R8, DISP_E_OVERFLOW, {}},
      {__LINE__, bstr(u""), 0, VT_I4, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, bstr(u"12abc"), 0, VT_I4, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, bstr(u"1e"), 0, VT_R8, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, bstr(std::u16string(u"1\0", 2)), 0, VT_I4, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, bstr(u"True"), 0, VT_I4, DISP_E_TYPEMISMATCH, {}},
      // Text to booleans.
      {__LINE__, bstr(u"True"), 0, VT_BOOL, S_OK, boolean(true)},
      {__LINE__, bstr(u"false"), 0, VT_BOOL, S_OK, boolean(false)},
      {__LINE__, bstr(u"TRUE"), VARIANT_LOCALBOOL, VT_BOOL, S_OK, boolean(true)},
      {__LINE__, bstr(u"0"), 0, VT_BOOL, S_OK, boolean(false)},
      {__LINE__, bstr(u"5"), 0, VT_BOOL, S_OK, boolean(true)},
      {__LINE__, bstr(u"yes"), 0, VT_BOOL, DISP_E_TYPEMISMATCH, {}},
      // Between numbers: banker's rounding, range checks.
      {__LINE__, i4(70000), 0, VT_I2, DISP_E_OVERFLOW, {}},
      {__LINE__, i4(-1), 0, VT_UI4, DISP_E_OVERFLOW, {}},
      {__LINE__, ui4(4294967295u), 0, VT_I4, DISP_E_OVERFLOW, {}},
      {__LINE__, r8(2.5), 0, VT_I4, S_OK, i4(2)},
      {__LINE__, r8(-2.5), 0, VT_I4, S_OK, i4(-2)},
      {__LINE__, r8(2.5000001), 0, VT_I4, S_OK, i4(3)},
      {__LINE__, r8(-32768.4), 0, VT_I2, S_OK, i2(-32768)},
      {__LINE__, r8(1e10), 0, VT_I4, DISP_E_OVERFLOW, {}},
      {__LINE__, r8(nan), 0, VT_I4, DISP_E_OVERFLOW, {}},
      // Booleans and numbers.
      {__LINE__, boolean(true), 0, VT_I4, S_OK, i4(-1)},
      {__LINE__, boolean(true), 0, VT_UI4, S_OK, ui4(0xFFFFFFFFu)},
      {__LINE__, boolean(false), 0, VT_R8, S_OK, r8(0)},
      {__LINE__, i4(0), 0, VT_BOOL, S_OK, boolean(false)},
      {__LINE__, i4(7), 0, VT_BOOL, S_OK, boolean(true)},
      {__LINE__, r8(0.5), 0, VT_BOOL, S_OK, boolean(true)},
      // Error codes stay error codes.
      {__LINE__, error(E_FAIL), 0, VT_ERROR, S_OK, error(E_FAIL)},
      {__LINE__, error(E_FAIL), 0, VT_I4, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, error(E_FAIL), 0, VT_EMPTY, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, i4(1), 0, VT_ERROR, DISP_E_TYPEMISMATCH, {}},
      // Targets that are no VARIANT type, and what is not converted here.
      {__LINE__, i4(1), 0, 15, DISP_E_BADVARTYPE, {}},
      {__LINE__, i4(1), 0, VT_I4 | VT_VECTOR, DISP_E_BADVARTYPE, {}},
      {__LINE__, i4(1), 0, VT_CY, E_NOTIMPL, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    Value out;
    EXPECT_EQ(VariantChangeTypeEx(&out.v, &row.source.v, LOCALE_USER_DEFAULT, row.flags, row.target), row.hr);
    EXPECT_EQ(describe(out.v), describe(row.expected.v));  // a failure leaves the destination empty
  }
}

// The destination is cleared on success only; in place the source is replaced or left as it was.
TEST(VariantChangeType, DestinationsAndInPlaceConversions) {
  Value source = r8(1234.5);
  Value out = bstr(u"old");
  ASSERT_EQ(VariantChangeTypeEx(&out.v, &source.v, LOCALE_INVARIANT, 0, VT_BSTR), S_OK);  // frees "old" (ASan)
  EXPECT_EQ(std::u16string(out.v.bstrVal), u"1234.5");
  Value bad = bstr(u"x");
  EXPECT_EQ(VariantChangeType(&out.v, &bad.v, 0, VT_I4), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(std::u16string(out.v.bstrVal), u"1234.5");

  Value v = i4(2024);
  ASSERT_EQ(VariantChangeType(&v.v, &v.v, 0, VT_BSTR), S_OK);
  EXPECT_EQ(describe(v.v), "vt=8 \"2024\"");
  ASSERT_EQ(VariantChangeType(&v.v, &v.v, 0, VT_I2), S_OK);  // frees the string (ASan checks)
  EXPECT_EQ(describe(v.v), "vt=2 2024");
  const BSTR before = bad.v.bstrVal;
  EXPECT_EQ(VariantChangeType(&bad.v, &bad.v, 0, VT_I4), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(bad.v.vt, VT_BSTR);
  EXPECT_EQ(bad.v.bstrVal, before);
  EXPECT_EQ(VariantChangeType(nullptr, &v.v, 0, VT_BSTR), E_INVALIDARG);
  EXPECT_EQ(VariantChangeType(&v.v, nullptr, 0, VT_BSTR), E_INVALIDARG);
}

TEST(VariantChangeType, ByRefSourcesAreDereferencedAndLeftAlone) {
  LONG number = 77;
  Value ref_number = of_vt(VT_I4 | VT_BYREF);
  ref_number.v.plVal = &number;
  Value out;
  ASSERT_EQ(VariantChangeType(&out.v, &ref_number.v, 0, VT_BSTR), S_OK);
  EXPECT_EQ(std::u16string(out.v.bstrVal), u"77");

  BSTR text = SysAllocString(u"12");
  Value ref_text = of_vt(VT_BSTR | VT_BYREF);
  ref_text.v.pbstrVal = &text;
  ASSERT_EQ(VariantChangeType(&ref_text.v, &ref_text.v, 0, VT_I4), S_OK);
  EXPECT_EQ(ref_text.v.vt, VT_I4);
  EXPECT_EQ(ref_text.v.lVal, 12);
  EXPECT_EQ(std::u16string(text), u"12");  // the referenced string is still ours
  SysFreeString(text);
}

TEST(VariantChangeType, InterfacesAreQueriedAndCounted) {
  CountingUnknown object;
  CountingUnknown refusing(CountingUnknown::Dispatch::kRefuse);
  {
    Value source = holding(VT_DISPATCH, object.unknown());
    Value out;
    ASSERT_EQ(VariantChangeType(&out.v, &source.v, 0, VT_UNKNOWN), S_OK);
    EXPECT_EQ(out.v.vt, VT_UNKNOWN);
    EXPECT_EQ(out.v.punkVal, object.unknown());
    EXPECT_EQ(object.refs(), 3u);
    ASSERT_EQ(VariantChangeType(&source.v, &source.v, 0, VT_UNKNOWN), S_OK);  // in place: one reference still
    EXPECT_EQ(source.v.vt, VT_UNKNOWN);
    EXPECT_EQ(object.refs(), 3u);
    Value back;
    ASSERT_EQ(VariantChangeType(&back.v, &source.v, 0, VT_DISPATCH), S_OK);
    EXPECT_EQ(back.v.pdispVal, object.dispatch());
    EXPECT_EQ(object.refs(), 4u);

    Value refused = holding(VT_UNKNOWN, refusing.unknown());
    Value kept = i4(1);
    EXPECT_EQ(VariantChangeType(&kept.v, &refused.v, 0, VT_DISPATCH), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(kept.v.vt, VT_I4);
    EXPECT_EQ(refusing.refs(), 2u);
    Value none = holding(VT_UNKNOWN, nullptr);  // a null interface stays null
    ASSERT_EQ(VariantChangeType(&kept.v, &none.v, 0, VT_DISPATCH), S_OK);
    EXPECT_EQ(kept.v.vt, VT_DISPATCH);
    EXPECT_EQ(kept.v.pdispVal, nullptr);
    Value number = i4(3);
    EXPECT_EQ(VariantChangeType(&kept.v, &number.v, 0, VT_UNKNOWN), DISP_E_TYPEMISMATCH);
  }
  EXPECT_EQ(object.refs(), 1u);
  EXPECT_EQ(refusing.refs(), 1u);
}

TEST(VariantChangeType, ObjectsGiveTheirValueProperty) {
  CountingUnknown object;
  CountingUnknown valueless;
  {
    Value value = i4(42);
    object.set_value(value.v);
    Value source = holding(VT_DISPATCH, object.unknown());
    Value other = holding(VT_UNKNOWN, valueless.unknown());
    Value out;
    ASSERT_EQ(VariantChangeType(&out.v, &source.v, 0, VT_BSTR), S_OK);
    EXPECT_EQ(std::u16string(out.v.bstrVal), u"42");
    EXPECT_EQ(VariantChangeType(&out.v, &source.v, VARIANT_NOVALUEPROP, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(VariantChangeType(&out.v, &other.v, 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(object.refs(), 2u);
    EXPECT_EQ(valueless.refs(), 2u);
  }
  EXPECT_EQ(object.refs(), 1u);
  EXPECT_EQ(valueless.refs(), 1u);
}

}  // namespace
