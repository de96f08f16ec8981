// VariantChangeType(Ex): coercion between the fundamental types. Numbers round half to even
// and answer DISP_E_OVERFLOW out of range; text is read and written with the invariant
// conventions for every LCID (see number_text.h); objects give their value property.
// Currency, dates and decimals are not converted here (E_NOTIMPL).
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "platform/src/oleauto/number_text.h"
#include "platform/src/oleauto/vartype_rules.h"

using namespace platform::oleauto;

namespace {

// A numeric source value. Booleans are kept apart: into unsigned types they give their bit
// pattern (VARIANT_TRUE becomes all ones), as Windows converts them.
struct Number {
  long double value = 0;
  bool from_bool = false;
};

bool is_unsupported(VARTYPE vt) { return vt == VT_CY || vt == VT_DATE || vt == VT_DECIMAL; }

bool equals_ignoring_case(std::u16string_view text, std::u16string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    char16_t w = word[i];
    if (w >= u'A' && w <= u'Z') w = static_cast<char16_t>(w - u'A' + u'a');
    if (c != w) return false;
  }
  return true;
}

std::u16string_view view_of(BSTR b) { return {b ? b : u"", SysStringLen(b)}; }

HRESULT read_number(const VARIANT& src, Number& out) {
  switch (src.vt) {
    case VT_EMPTY: out.value = 0; return S_OK;
    case VT_I1: out.value = src.cVal; return S_OK;
    case VT_UI1: out.value = src.bVal; return S_OK;
    case VT_I2: out.value = src.iVal; return S_OK;
    case VT_UI2: out.value = src.uiVal; return S_OK;
    case VT_I4: out.value = src.lVal; return S_OK;
    case VT_UI4: out.value = src.ulVal; return S_OK;
    case VT_I8: out.value = src.llVal; return S_OK;
    case VT_UI8: out.value = src.ullVal; return S_OK;
    case VT_INT: out.value = src.intVal; return S_OK;
    case VT_UINT: out.value = src.uintVal; return S_OK;
    case VT_R4: out.value = src.fltVal; return S_OK;
    case VT_R8: out.value = src.dblVal; return S_OK;
    case VT_BOOL:
      out.value = src.boolVal;
      out.from_bool = true;
      return S_OK;
    case VT_BSTR: return parse_number(view_of(src.bstrVal), out.value);
    default: return is_unsupported(src.vt) ? E_NOTIMPL : DISP_E_TYPEMISMATCH;
  }
}

template <class T>
HRESULT to_integer(const Number& n, T& out) {
  if (n.from_bool) {
    out = static_cast<T>(static_cast<LONGLONG>(n.value));
    return S_OK;
  }
  if (std::isnan(n.value)) return DISP_E_OVERFLOW;
  const long double rounded = std::nearbyint(n.value);  // the default mode: half to even
  if (rounded < static_cast<long double>(std::numeric_limits<T>::min()) ||
      rounded > static_cast<long double>(std::numeric_limits<T>::max()))
    return DISP_E_OVERFLOW;
  out = static_cast<T>(rounded);
  return S_OK;
}

HRESULT store_number(const Number& n, VARTYPE vt, VARIANT& out) {
  switch (vt) {
    case VT_I1: return to_integer(n, out.cVal);
    case VT_UI1: return to_integer(n, out.bVal);
    case VT_I2: return to_integer(n, out.iVal);
    case VT_UI2: return to_integer(n, out.uiVal);
    case VT_I4: return to_integer(n, out.lVal);
    case VT_UI4: return to_integer(n, out.ulVal);
    case VT_I8: return to_integer(n, out.llVal);
    case VT_UI8: return to_integer(n, out.ullVal);
    case VT_INT: return to_integer(n, out.intVal);
    case VT_UINT: return to_integer(n, out.uintVal);
    case VT_R4:
      if (std::isfinite(n.value) && std::fabs(n.value) > FLT_MAX) return DISP_E_OVERFLOW;
      out.fltVal = static_cast<FLOAT>(n.value);
      return S_OK;
    case VT_R8:
      if (std::isfinite(n.value) && std::fabs(n.value) > DBL_MAX) return DISP_E_OVERFLOW;
      out.dblVal = static_cast<DOUBLE>(n.value);
      return S_OK;
    case VT_BOOL:
      out.boolVal = n.value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    default: return DISP_E_TYPEMISMATCH;
  }
}

// The English names always count; VARIANT_LOCALBOOL would add the locale's, which are the same here.
HRESULT to_bool(const VARIANT& src, VARIANT& out) {
  if (src.vt == VT_BSTR) {
    const std::u16string_view text = view_of(src.bstrVal);
    if (equals_ignoring_case(text, u"True")) {
      out.boolVal = VARIANT_TRUE;
      return S_OK;
    }
    if (equals_ignoring_case(text, u"False")) {
      out.boolVal = VARIANT_FALSE;
      return S_OK;
    }
  }
  Number n;
  const HRESULT hr = read_number(src, n);
  if (FAILED(hr)) return hr;
  return store_number(n, VT_BOOL, out);
}

HRESULT to_bstr(const VARIANT& src, USHORT flags, VARIANT& out) {
  std::u16string text;
  switch (src.vt) {
    case VT_EMPTY: break;
    case VT_I1: text = format_signed(src.cVal); break;
    case VT_UI1: text = format_unsigned(src.bVal); break;
    case VT_I2: text = format_signed(src.iVal); break;
    case VT_UI2: text = format_unsigned(src.uiVal); break;
    case VT_I4: text = format_signed(src.lVal); break;
    case VT_UI4: text = format_unsigned(src.ulVal); break;
    case VT_I8: text = format_signed(src.llVal); break;
    case VT_UI8: text = format_unsigned(src.ullVal); break;
    case VT_INT: text = format_signed(src.intVal); break;
    case VT_UINT: text = format_unsigned(src.uintVal); break;
    case VT_R4: text = format_real(src.fltVal, 7); break;
    case VT_R8: text = format_real(src.dblVal, 15); break;
    case VT_BOOL:
      if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL))
        text = src.boolVal ? u"True" : u"False";
      else
        text = format_signed(src.boolVal);
      break;
    default: return is_unsupported(src.vt) ? E_NOTIMPL : DISP_E_TYPEMISMATCH;
  }
  out.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return out.bstrVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT to_interface(const VARIANT& src, VARTYPE vt, VARIANT& out) {
  if (src.vt != VT_UNKNOWN && src.vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
  if (!src.punkVal) {
    out.punkVal = nullptr;
    return S_OK;
  }
  const IID& iid = vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown;
  void* p = nullptr;
  const HRESULT hr = src.punkVal->QueryInterface(iid, &p);
  if (hr == E_NOINTERFACE) return DISP_E_TYPEMISMATCH;
  if (FAILED(hr)) return hr;
  out.punkVal = static_cast<IUnknown*>(p);
  return S_OK;
}

// An object stands for the value of its DISPID_VALUE property.
HRESULT value_property(const VARIANT& src, LCID lcid, VARIANT& value) {
  if (!src.punkVal) return DISP_E_TYPEMISMATCH;
  IDispatch* dispatch = nullptr;
  if (src.vt == VT_DISPATCH) {
    dispatch = src.pdispVal;
    dispatch->AddRef();
  } else if (FAILED(src.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
    return DISP_E_TYPEMISMATCH;
  }
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  const HRESULT hr = dispatch->Invoke(DISPID_VALUE, IID_NULL, lcid, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
  dispatch->Release();
  if (FAILED(hr)) {
    (void)VariantClear(&value);
    return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

// Converts a value (never VT_BYREF) into `out`, which is VT_EMPTY on entry and left so on failure.
HRESULT coerce(const VARIANT& src, LCID lcid, USHORT flags, VARTYPE vt, VARIANT& out) {
  if (vt == src.vt) return VariantCopy(&out, &src);
  if ((vt | src.vt) & (VT_ARRAY | VT_BYREF)) return DISP_E_TYPEMISMATCH;

  // Every fundamental type may be dropped to VT_EMPTY or VT_NULL, except an error code, and
  // null does not become empty.
  if (vt == VT_EMPTY || vt == VT_NULL) {
    if (src.vt == VT_ERROR || (vt == VT_EMPTY && src.vt == VT_NULL)) return DISP_E_TYPEMISMATCH;
    out.vt = vt;
    return S_OK;
  }
  if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
    const HRESULT hr = to_interface(src, vt, out);
    if (SUCCEEDED(hr)) out.vt = vt;
    return hr;
  }
  if (src.vt == VT_UNKNOWN || src.vt == VT_DISPATCH) {
    if (flags & VARIANT_NOVALUEPROP) return DISP_E_TYPEMISMATCH;
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = value_property(src, lcid, value);
    if (FAILED(hr)) return hr;
    // One step only: a value that is an object again is not followed.
    hr = VariantChangeTypeEx(&out, &value, lcid, flags | VARIANT_NOVALUEPROP, vt);
    (void)VariantClear(&value);
    return hr;
  }
  if (src.vt == VT_NULL || src.vt == VT_ERROR || vt == VT_ERROR) return DISP_E_TYPEMISMATCH;
  if (is_unsupported(vt)) return E_NOTIMPL;

  HRESULT hr;
  if (vt == VT_BSTR) {
    hr = to_bstr(src, flags, out);
  } else if (vt == VT_BOOL) {
    hr = to_bool(src, out);
  } else {
    Number n;
    hr = read_number(src, n);
    if (SUCCEEDED(hr)) hr = store_number(n, vt, out);
  }
  if (SUCCEEDED(hr)) out.vt = vt;
  return hr;
}

}  // namespace

STDAPI VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt) {
  return VariantChangeTypeEx(pvargDest, pvarSrc, LOCALE_USER_DEFAULT, wFlags, vt);
}

// The result is built aside, so a failure leaves the destination (and an in-place source) as it was.
STDAPI VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags, VARTYPE vt) {
  if (!pvargDest || !pvarSrc) return E_INVALIDARG;
  HRESULT hr = validate_variant_type(pvarSrc->vt);
  if (FAILED(hr)) return hr;
  hr = validate_variant_type(vt);
  if (FAILED(hr)) return hr;

  VARIANT result;
  VariantInit(&result);
  if (vt == pvarSrc->vt) {
    hr = VariantCopy(&result, pvarSrc);
  } else if (pvarSrc->vt & VT_BYREF) {
    VARIANT value;
    VariantInit(&value);
    hr = VariantCopyInd(&value, pvarSrc);
    if (SUCCEEDED(hr)) hr = coerce(value, lcid, wFlags, vt, result);
    (void)VariantClear(&value);
  } else {
    hr = coerce(*pvarSrc, lcid, wFlags, vt, result);
  }
  if (FAILED(hr)) return hr;

  hr = VariantClear(pvargDest);
  if (FAILED(hr)) {
    (void)VariantClear(&result);
    return hr;
  }
  *pvargDest = result;
  return S_OK;
}
