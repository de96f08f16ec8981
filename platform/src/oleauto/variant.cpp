// VARIANT lifetime: initialise, clear (releasing what the variant owns) and deep copies.
// A VT_BYREF variant owns nothing: its target is never touched.
#include <cstring>

#include "platform/src/oleauto/vartype_rules.h"

using namespace platform::oleauto;

namespace {

BSTR copy_bstr(BSTR source) {
  return SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source), SysStringByteLen(source));
}

// A copy of the value `src` (a VT_BYREF variant) points at, into `out` (empty on entry).
HRESULT copy_referenced(VARIANT& out, const VARIANT& src) {
  const VARTYPE base = src.vt & ~VT_BYREF;
  if (!src.byref) return E_INVALIDARG;
  if (base & VT_ARRAY) {
    const HRESULT hr = SafeArrayCopy(*src.pparray, &out.parray);
    if (SUCCEEDED(hr)) out.vt = base;
    return hr;
  }
  switch (base) {
    case VT_VARIANT:
      if (src.pvarVal->vt == (VT_VARIANT | VT_BYREF)) return E_INVALIDARG;
      return VariantCopyInd(&out, src.pvarVal);
    case VT_BSTR:
      if (*src.pbstrVal) {
        out.bstrVal = copy_bstr(*src.pbstrVal);
        if (!out.bstrVal) return E_OUTOFMEMORY;
      } else {
        out.bstrVal = nullptr;
      }
      break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
      out.punkVal = *src.ppunkVal;
      if (out.punkVal) out.punkVal->AddRef();
      break;
    case VT_DECIMAL:
      std::memcpy(static_cast<void*>(&out), src.pdecVal, sizeof(DECIMAL));  // overlays the whole VARIANT
      break;
    default: {
      const ULONG size = array_element_size(base);
      if (size == 0 || size > sizeof(out.llVal)) return DISP_E_BADVARTYPE;
      out.llVal = 0;
      std::memcpy(&out.llVal, src.byref, size);
      break;
    }
  }
  out.vt = base;
  return S_OK;
}

}  // namespace

STDAPI_(void) VariantInit(VARIANTARG* pvarg) {
  if (pvarg) pvarg->vt = VT_EMPTY;
}

STDAPI VariantClear(VARIANTARG* pvarg) {
  if (!pvarg) return E_INVALIDARG;
  const HRESULT valid = validate_variant_type(pvarg->vt);
  if (FAILED(valid)) return valid;
  if (!(pvarg->vt & VT_BYREF)) {
    if (pvarg->vt & VT_ARRAY) {
      const HRESULT hr = SafeArrayDestroy(pvarg->parray);
      if (FAILED(hr)) return hr;  // a locked array stays where it is
    } else if (pvarg->vt == VT_BSTR) {
      SysFreeString(pvarg->bstrVal);
    } else if (pvarg->vt == VT_UNKNOWN || pvarg->vt == VT_DISPATCH) {
      if (pvarg->punkVal) pvarg->punkVal->Release();
    }
  }
  pvarg->vt = VT_EMPTY;
  return S_OK;
}

STDAPI VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc) {
  if (!pvargDest || !pvargSrc) return E_INVALIDARG;
  const HRESULT valid = validate_variant_type(pvargSrc->vt);
  if (FAILED(valid)) return valid;
  if (pvargDest == pvargSrc) return S_OK;
  HRESULT hr = VariantClear(pvargDest);
  if (FAILED(hr)) return hr;

  VARIANT copy = *pvargSrc;
  if (!(copy.vt & VT_BYREF)) {
    if (copy.vt & VT_ARRAY) {
      hr = SafeArrayCopy(pvargSrc->parray, &copy.parray);
    } else if (copy.vt == VT_BSTR && copy.bstrVal) {
      copy.bstrVal = copy_bstr(pvargSrc->bstrVal);
      if (!copy.bstrVal) hr = E_OUTOFMEMORY;
    } else if ((copy.vt == VT_UNKNOWN || copy.vt == VT_DISPATCH) && copy.punkVal) {
      copy.punkVal->AddRef();
    }
  }
  if (FAILED(hr)) return hr;  // the destination stays VT_EMPTY
  *pvargDest = copy;
  return S_OK;
}

STDAPI VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc) {
  if (!pvarDest || !pvargSrc) return E_INVALIDARG;
  if (!(pvargSrc->vt & VT_BYREF)) return VariantCopy(pvarDest, pvargSrc);
  const HRESULT valid = validate_variant_type(pvargSrc->vt);
  if (FAILED(valid)) return valid;

  VARIANT value;
  VariantInit(&value);
  HRESULT hr = copy_referenced(value, *pvargSrc);
  if (FAILED(hr)) return hr;
  // In place the source is a reference, which owns nothing: overwriting it is enough.
  if (pvarDest != pvargSrc) {
    hr = VariantClear(pvarDest);
    if (FAILED(hr)) {
      (void)VariantClear(&value);
      return hr;
    }
  }
  *pvarDest = value;
  return S_OK;
}
