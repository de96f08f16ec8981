#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/oleauto.h"
#include "tests/fakes/counting_unknown.h"

namespace {

using fakes::CountingUnknown;

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
Value i2(SHORT n) {
  Value x = of_vt(VT_I2);
  x.v.iVal = n;
  return x;
}
Value i4(LONG n) {
  Value x = of_vt(VT_I4);
  x.v.lVal = n;
  return x;
}
Value ui4(ULONG n) {
  Value x = of_vt(VT_UI4);
  x.v.ulVal = n;
  return x;
}
Value r8(double d) {
  Value x = of_vt(VT_R8);
  x.v.dblVal = d;
  return x;
}
Value boolean(bool b) {
  Value x = of_vt(VT_BOOL);
  x.v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
  return x;
}
Value bstr(std::u16string_view text) {
  Value x = of_vt(VT_BSTR);
  x.v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return x;
}
Value error(SCODE code) {
  Value x = of_vt(VT_ERROR);
  x.v.scode = code;
  return x;
}
Value empty() { return of_vt(VT_EMPTY); }
Value null() { return of_vt(VT_NULL); }

std::string describe(const VARIANT& v) {
  std::string out = "vt=" + std::to_string(v.vt) + " ";
  switch (v.vt) {
    case VT_I2: return out + std::to_string(v.iVal);
    case VT_I4: return out + std::to_string(v.lVal);
    case VT_UI4: return out + std::to_string(v.ulVal);
    case VT_R8: return out + std::to_string(v.dblVal);
    case VT_BOOL: return out + std::to_string(v.boolVal);
    case VT_ERROR: return out + std::to_string(v.scode);
    case VT_BSTR: {
      std::string narrow;
      for (UINT i = 0; i < SysStringLen(v.bstrVal); ++i) narrow.push_back(static_cast<char>(v.bstrVal[i]));
      return out + "\"" + narrow + "\"";
    }
    default: return out;
  }
}

bool same_value(const VARIANT& a, const VARIANT& b) {
  if (a.vt != b.vt) return false;
  switch (a.vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_I2: return a.iVal == b.iVal;
    case VT_I4: return a.lVal == b.lVal;
    case VT_UI4: return a.ulVal == b.ulVal;
    case VT_R8: return a.dblVal == b.dblVal;
    case VT_BOOL: return a.boolVal == b.boolVal;
    case VT_ERROR: return a.scode == b.scode;
    case VT_BSTR: return VarBstrCmp(a.bstrVal, b.bstrVal, LOCALE_INVARIANT, 0) == VARCMP_EQ;
    default: return false;
  }
}

TEST(VariantChangeType, ConversionTable) {
  struct Row {
    int line;
    Value source;
    USHORT flags;
    VARTYPE target;
    HRESULT hr;
    Value expected;  // compared when hr is S_OK
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Row rows[] = {
      // Numbers to text.
      {__LINE__, i4(42), 0, VT_BSTR, S_OK, bstr(u"42")},
      {__LINE__, i4(-7), 0, VT_BSTR, S_OK, bstr(u"-7")},
      {__LINE__, i2(-32768), 0, VT_BSTR, S_OK, bstr(u"-32768")},
      {__LINE__, ui4(4294967295u), 0, VT_BSTR, S_OK, bstr(u"4294967295")},
      {__LINE__, r8(1.5), 0, VT_BSTR, S_OK, bstr(u"1.5")},
      {__LINE__, r8(0.1), 0, VT_BSTR, S_OK, bstr(u"0.1")},
      {__LINE__, r8(-2.25), 0, VT_BSTR, S_OK, bstr(u"-2.25")},
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
      {__LINE__, empty(), 0, VT_R8, S_OK, r8(0)},
      {__LINE__, empty(), 0, VT_BOOL, S_OK, boolean(false)},
      {__LINE__, empty(), 0, VT_NULL, S_OK, null()},
      {__LINE__, null(), 0, VT_I4, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, null(), 0, VT_BSTR, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, null(), 0, VT_EMPTY, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, i4(5), 0, VT_EMPTY, S_OK, empty()},
      {__LINE__, bstr(u"x"), 0, VT_NULL, S_OK, null()},
      // Text to numbers.
      {__LINE__, bstr(u"123"), 0, VT_I4, S_OK, i4(123)},
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
      {__LINE__, bstr(u"1.25"), 0, VT_R8, S_OK, r8(1.25)},
      {__LINE__, bstr(u".5"), 0, VT_R8, S_OK, r8(0.5)},
      {__LINE__, bstr(u"1e400"), 0, VT_R8, DISP_E_OVERFLOW, {}},
      {__LINE__, bstr(u"abc"), 0, VT_I4, DISP_E_TYPEMISMATCH, {}},
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
      {__LINE__, bstr(u"-1"), 0, VT_BOOL, S_OK, boolean(true)},
      {__LINE__, bstr(u"5"), 0, VT_BOOL, S_OK, boolean(true)},
      {__LINE__, bstr(u"yes"), 0, VT_BOOL, DISP_E_TYPEMISMATCH, {}},
      // Between numbers: banker's rounding, range checks.
      {__LINE__, i4(70000), 0, VT_I2, DISP_E_OVERFLOW, {}},
      {__LINE__, i4(-1), 0, VT_UI4, DISP_E_OVERFLOW, {}},
      {__LINE__, ui4(4294967295u), 0, VT_I4, DISP_E_OVERFLOW, {}},
      {__LINE__, i4(5), 0, VT_R8, S_OK, r8(5)},
      {__LINE__, r8(2.5), 0, VT_I4, S_OK, i4(2)},
      {__LINE__, r8(-2.5), 0, VT_I4, S_OK, i4(-2)},
      {__LINE__, r8(2.5000001), 0, VT_I4, S_OK, i4(3)},
      {__LINE__, r8(-32768.4), 0, VT_I2, S_OK, i2(-32768)},
      {__LINE__, r8(1e10), 0, VT_I4, DISP_E_OVERFLOW, {}},
      {__LINE__, r8(nan), 0, VT_I4, DISP_E_OVERFLOW, {}},
      // Booleans and numbers.
      {__LINE__, boolean(true), 0, VT_I4, S_OK, i4(-1)},
      {__LINE__, boolean(true), 0, VT_I2, S_OK, i2(-1)},
      {__LINE__, boolean(true), 0, VT_UI4, S_OK, ui4(0xFFFFFFFFu)},
      {__LINE__, boolean(false), 0, VT_R8, S_OK, r8(0)},
      {__LINE__, i4(0), 0, VT_BOOL, S_OK, boolean(false)},
      {__LINE__, i4(7), 0, VT_BOOL, S_OK, boolean(true)},
      {__LINE__, r8(0.5), 0, VT_BOOL, S_OK, boolean(true)},
      // Error codes stay error codes.
      {__LINE__, error(E_FAIL), 0, VT_ERROR, S_OK, error(E_FAIL)},
      {__LINE__, error(E_FAIL), 0, VT_I4, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, error(E_FAIL), 0, VT_BSTR, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, error(E_FAIL), 0, VT_EMPTY, DISP_E_TYPEMISMATCH, {}},
      {__LINE__, i4(1), 0, VT_ERROR, DISP_E_TYPEMISMATCH, {}},
      // Targets that are no VARIANT type, and what is not converted here.
      {__LINE__, i4(1), 0, 15, DISP_E_BADVARTYPE, {}},
      {__LINE__, i4(1), 0, VT_I4 | VT_VECTOR, DISP_E_BADVARTYPE, {}},
      {__LINE__, i4(1), 0, VT_CY, E_NOTIMPL, {}},
  };
  for (const auto& row : rows) {
    Value out;
    const HRESULT hr = VariantChangeTypeEx(&out.v, &row.source.v, LOCALE_USER_DEFAULT, row.flags, row.target);
    EXPECT_EQ(hr, row.hr) << "line " << row.line;
    if (hr == S_OK && row.hr == S_OK) {
      EXPECT_TRUE(same_value(out.v, row.expected.v))
          << "line " << row.line << ": got " << describe(out.v) << ", expected " << describe(row.expected.v);
    }
    if (FAILED(hr)) {
      EXPECT_EQ(out.v.vt, VT_EMPTY) << "line " << row.line;
    }
  }
}

TEST(VariantChangeType, InvariantLocaleGivesTheSameText) {
  Value source = r8(1234.5);
  Value out;
  ASSERT_EQ(VariantChangeTypeEx(&out.v, &source.v, LOCALE_INVARIANT, 0, VT_BSTR), S_OK);
  EXPECT_EQ(std::u16string(out.v.bstrVal), u"1234.5");
}

TEST(VariantChangeType, InPlaceReplacesTheSourceOrLeavesItOnFailure) {
  Value v = i4(2024);
  ASSERT_EQ(VariantChangeType(&v.v, &v.v, 0, VT_BSTR), S_OK);
  EXPECT_EQ(v.v.vt, VT_BSTR);
  EXPECT_EQ(std::u16string(v.v.bstrVal), u"2024");

  ASSERT_EQ(VariantChangeType(&v.v, &v.v, 0, VT_I2), S_OK);  // frees the string (ASan checks)
  EXPECT_EQ(v.v.vt, VT_I2);
  EXPECT_EQ(v.v.iVal, 2024);

  Value text = bstr(u"not a number");
  const BSTR before = text.v.bstrVal;
  EXPECT_EQ(VariantChangeType(&text.v, &text.v, 0, VT_I4), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(text.v.vt, VT_BSTR);
  EXPECT_EQ(text.v.bstrVal, before);
}

TEST(VariantChangeType, DestinationIsClearedOnSuccessAndKeptOnFailure) {
  Value dest = bstr(u"old");
  Value source = i4(9);
  ASSERT_EQ(VariantChangeType(&dest.v, &source.v, 0, VT_R8), S_OK);
  EXPECT_EQ(dest.v.vt, VT_R8);
  EXPECT_EQ(dest.v.dblVal, 9.0);

  Value kept = bstr(u"kept");
  Value bad = bstr(u"x");
  EXPECT_EQ(VariantChangeType(&kept.v, &bad.v, 0, VT_I4), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(std::u16string(kept.v.bstrVal), u"kept");
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

TEST(VariantChangeType, DispatchToUnknownQueriesForIt) {
  CountingUnknown object;
  Value source = of_vt(VT_DISPATCH);
  source.v.pdispVal = object.dispatch();
  object.AddRef();
  {
    Value out;
    ASSERT_EQ(VariantChangeType(&out.v, &source.v, 0, VT_UNKNOWN), S_OK);
    EXPECT_EQ(out.v.vt, VT_UNKNOWN);
    EXPECT_EQ(out.v.punkVal, object.unknown());
    EXPECT_EQ(object.refs(), 3u);
  }
  ASSERT_EQ(VariantChangeType(&source.v, &source.v, 0, VT_UNKNOWN), S_OK);  // in place: one reference still
  EXPECT_EQ(source.v.vt, VT_UNKNOWN);
  EXPECT_EQ(object.refs(), 2u);
  ASSERT_EQ(VariantClear(&source.v), S_OK);
  EXPECT_EQ(object.Release(), 0u);
}

TEST(VariantChangeType, UnknownToDispatchNeedsTheInterface) {
  CountingUnknown answering;
  CountingUnknown refusing(CountingUnknown::Dispatch::kRefuse);
  {
    Value source = of_vt(VT_UNKNOWN);
    source.v.punkVal = answering.unknown();
    answering.AddRef();
    Value out;
    ASSERT_EQ(VariantChangeType(&out.v, &source.v, 0, VT_DISPATCH), S_OK);
    EXPECT_EQ(out.v.pdispVal, answering.dispatch());
    EXPECT_EQ(answering.refs(), 3u);
  }
  {
    Value source = of_vt(VT_UNKNOWN);
    source.v.punkVal = refusing.unknown();
    refusing.AddRef();
    Value out = i4(1);
    EXPECT_EQ(VariantChangeType(&out.v, &source.v, 0, VT_DISPATCH), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(out.v.vt, VT_I4);
    EXPECT_EQ(refusing.refs(), 2u);
  }
  {
    Value source = of_vt(VT_UNKNOWN);  // a null interface stays null
    source.v.punkVal = nullptr;
    Value out;
    ASSERT_EQ(VariantChangeType(&out.v, &source.v, 0, VT_DISPATCH), S_OK);
    EXPECT_EQ(out.v.vt, VT_DISPATCH);
    EXPECT_EQ(out.v.pdispVal, nullptr);
  }
  Value number = i4(3);
  Value out;
  EXPECT_EQ(VariantChangeType(&out.v, &number.v, 0, VT_UNKNOWN), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(answering.Release(), 0u);
  EXPECT_EQ(refusing.Release(), 0u);
}

TEST(VariantChangeType, ObjectsGiveTheirValueProperty) {
  CountingUnknown object;
  Value value = i4(42);
  object.set_value(value.v);
  Value source = of_vt(VT_DISPATCH);
  source.v.pdispVal = object.dispatch();
  object.AddRef();

  Value out;
  ASSERT_EQ(VariantChangeType(&out.v, &source.v, 0, VT_BSTR), S_OK);
  EXPECT_EQ(std::u16string(out.v.bstrVal), u"42");
  EXPECT_EQ(VariantChangeType(&out.v, &source.v, VARIANT_NOVALUEPROP, VT_I4), DISP_E_TYPEMISMATCH);

  CountingUnknown valueless;
  Value other = of_vt(VT_UNKNOWN);
  other.v.punkVal = valueless.unknown();
  valueless.AddRef();
  EXPECT_EQ(VariantChangeType(&out.v, &other.v, 0, VT_I4), DISP_E_TYPEMISMATCH);

  EXPECT_EQ(object.refs(), 2u);
  EXPECT_EQ(valueless.refs(), 2u);
  ASSERT_EQ(VariantClear(&source.v), S_OK);
  ASSERT_EQ(VariantClear(&other.v), S_OK);
  EXPECT_EQ(object.Release(), 0u);
  EXPECT_EQ(valueless.Release(), 0u);
}

TEST(VariantChangeType, NullArgumentsAreInvalid) {
  Value v = i4(1);
  EXPECT_EQ(VariantChangeType(nullptr, &v.v, 0, VT_BSTR), E_INVALIDARG);
  EXPECT_EQ(VariantChangeType(&v.v, nullptr, 0, VT_BSTR), E_INVALIDARG);
}

}  // namespace
