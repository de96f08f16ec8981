// SafeArray: queries and typed element access.
#include "platform/support/safe_array.h"

#include "platform/support/variant.h"

namespace platform {

HRESULT SafeArray::copy(SafeArray& out) const noexcept {
  SAFEARRAY* fresh = nullptr;
  const HRESULT hr = SafeArrayCopy(psa_, &fresh);
  if (SUCCEEDED(hr)) out = attach(fresh);
  return hr;
}

VARTYPE SafeArray::vartype() const noexcept {
  VARTYPE vt = VT_EMPTY;
  if (!psa_ || FAILED(SafeArrayGetVartype(psa_, &vt))) return VT_EMPTY;
  return vt;
}

LONG SafeArray::lbound(UINT dim) const noexcept {
  LONG bound = 0;
  return SUCCEEDED(SafeArrayGetLBound(psa_, dim, &bound)) ? bound : 0;
}

LONG SafeArray::ubound(UINT dim) const noexcept {
  LONG bound = 0;
  return SUCCEEDED(SafeArrayGetUBound(psa_, dim, &bound)) ? bound : -1;
}

std::size_t SafeArray::size() const noexcept {
  if (!psa_) return 0;
  std::size_t count = 1;
  for (USHORT d = 0; d < psa_->cDims; ++d) count *= psa_->rgsabound[d].cElements;
  return count;
}

HRESULT SafeArray::get_checked(LONG index, bool (*matches)(VARTYPE), void* out) const noexcept {
  if (!psa_) return E_POINTER;
  if (psa_->cDims != 1) return E_INVALIDARG;
  if (!matches(vartype())) return DISP_E_TYPEMISMATCH;
  return SafeArrayGetElement(psa_, &index, out);
}

HRESULT SafeArray::put_checked(LONG index, bool (*matches)(VARTYPE), void* value) noexcept {
  if (!psa_) return E_POINTER;
  if (psa_->cDims != 1) return E_INVALIDARG;
  if (!matches(vartype())) return DISP_E_TYPEMISMATCH;
  return SafeArrayPutElement(psa_, &index, value);
}

namespace {

bool is_bool(VARTYPE vt) { return vt == VT_BOOL; }
bool is_i2(VARTYPE vt) { return vt == VT_I2; }
bool is_r8(VARTYPE vt) { return vt == VT_R8; }

}  // namespace

HRESULT SafeArray::get_element(LONG index, LONG& out) const noexcept {
  return get_value(index, &element_type_matches<LONG>, out);
}
HRESULT SafeArray::get_element(LONG index, ULONG& out) const noexcept {
  return get_value(index, &element_type_matches<ULONG>, out);
}
HRESULT SafeArray::get_element(LONG index, SHORT& out) const noexcept {
  return get_value(index, &is_i2, out);
}
HRESULT SafeArray::get_element(LONG index, DOUBLE& out) const noexcept {
  return get_value(index, &is_r8, out);
}
HRESULT SafeArray::get_element(LONG index, bool& out) const noexcept {
  VARIANT_BOOL value = VARIANT_FALSE;
  const HRESULT hr = get_value(index, &is_bool, value);
  if (SUCCEEDED(hr)) out = value != VARIANT_FALSE;
  return hr;
}
HRESULT SafeArray::get_element(LONG index, Bstr& out) const noexcept {
  BSTR value = nullptr;
  const HRESULT hr = get_checked(index, &element_type_matches<BSTR>, &value);
  if (SUCCEEDED(hr)) out = Bstr::attach(value);
  return hr;
}
HRESULT SafeArray::get_element(LONG index, ComPtr<IUnknown>& out) const noexcept {
  IUnknown* value = nullptr;
  const HRESULT hr = get_checked(index, &element_type_matches<IUnknown*>, &value);
  if (SUCCEEDED(hr)) out = ComPtr<IUnknown>::attach(value);
  return hr;
}
HRESULT SafeArray::get_element(LONG index, ComPtr<IDispatch>& out) const noexcept {
  IDispatch* value = nullptr;
  const HRESULT hr = get_checked(index, &element_type_matches<IDispatch*>, &value);
  if (SUCCEEDED(hr)) out = ComPtr<IDispatch>::attach(value);
  return hr;
}
HRESULT SafeArray::get_element(LONG index, Variant& out) const noexcept {
  VARIANT value;
  VariantInit(&value);
  const HRESULT hr = get_checked(index, &element_type_matches<VARIANT>, &value);
  if (SUCCEEDED(hr)) out = Variant::attach(value);
  return hr;
}

HRESULT SafeArray::put_element(LONG index, LONG value) noexcept {
  return put_checked(index, &element_type_matches<LONG>, &value);
}
HRESULT SafeArray::put_element(LONG index, ULONG value) noexcept {
  return put_checked(index, &element_type_matches<ULONG>, &value);
}
HRESULT SafeArray::put_element(LONG index, SHORT value) noexcept { return put_checked(index, &is_i2, &value); }
HRESULT SafeArray::put_element(LONG index, DOUBLE value) noexcept { return put_checked(index, &is_r8, &value); }
HRESULT SafeArray::put_element(LONG index, bool value) noexcept {
  VARIANT_BOOL stored = value ? VARIANT_TRUE : VARIANT_FALSE;
  return put_checked(index, &is_bool, &stored);
}
HRESULT SafeArray::put_element(LONG index, const Bstr& value) noexcept {
  return put_checked(index, &element_type_matches<BSTR>, value.get());
}
HRESULT SafeArray::put_element(LONG index, std::u16string_view value) noexcept {
  // The array copies by the BSTR's length prefix, so the text must be a BSTR first.
  return com_boundary([&] { return put_element(index, Bstr(value)); });
}
HRESULT SafeArray::put_element(LONG index, const OLECHAR* value) noexcept {
  if (!value) return put_element(index, Bstr());
  return put_element(index, std::u16string_view(value));
}
HRESULT SafeArray::put_element(LONG index, IUnknown* value) noexcept {
  return put_checked(index, &element_type_matches<IUnknown*>, value);
}
HRESULT SafeArray::put_element(LONG index, IDispatch* value) noexcept {
  return put_checked(index, &element_type_matches<IDispatch*>, value);
}
HRESULT SafeArray::put_element(LONG index, const Variant& value) noexcept {
  return put_checked(index, &element_type_matches<VARIANT>, const_cast<VARIANT*>(value.get()));
}

}  // namespace platform
