#include "suite/host/variant_text.h"

#include <string>

#include "platform/oleauto.h"

namespace suite {
namespace {

std::u16string number(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string describe_variant(const VARIANT& value) {
  if (value.vt == (VT_BYREF | VT_VARIANT)) return value.pvarVal ? describe_variant(*value.pvarVal) : u"empty";
  if (value.vt & VT_ARRAY) {
    SAFEARRAY* array = value.parray;
    if (!array || SafeArrayGetDim(array) != 1) return u"array";
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper))) return u"array";
    return u"array[" + number(static_cast<long long>(upper) - lower + 1) + u"]";
  }
  switch (value.vt) {
    case VT_EMPTY:
      return u"empty";
    case VT_NULL:
      return u"null";
    case VT_BSTR:
      return u"\"" + std::u16string(value.bstrVal ? value.bstrVal : u"", SysStringLen(value.bstrVal)) + u"\"";
    case VT_I4:
      return number(value.lVal);
    case VT_I2:
      return u"I2 " + number(value.iVal);
    case VT_BOOL:
      return value.boolVal != VARIANT_FALSE ? u"true" : u"false";
    case VT_UNKNOWN:
      return value.punkVal ? u"object" : u"no object";
    case VT_DISPATCH:
      return value.pdispVal ? u"object" : u"no object";
    case VT_ERROR:
      return value.scode == DISP_E_PARAMNOTFOUND ? u"omitted" : u"error " + number(value.scode);
    default:
      return u"VT " + number(value.vt);
  }
}

}  // namespace suite
