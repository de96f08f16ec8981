#include "platform/support/dispatch_object.h"

namespace platform {

namespace detail {

bool dispatch_name_equals(const char16_t* a, const OLECHAR* b) noexcept {
  if (!a || !b) return false;
  auto fold = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; };
  for (; *a && *b; ++a, ++b)
    if (fold(*a) != fold(*b)) return false;
  return *a == *b;
}

HRESULT check_dispatch_call(REFIID riid, WORD kinds, WORD flags, const DISPPARAMS* params) noexcept {
  if (!IsEqualGUID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  // A property get may be called as a method and vice versa, as automation clients do.
  const WORD callable = (kinds & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) ? (kinds | DISPATCH_METHOD | DISPATCH_PROPERTYGET)
                                                                           : kinds;
  if ((callable & flags) == 0) return DISP_E_MEMBERNOTFOUND;
  if (!params) return S_OK;
  if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  if (params->cNamedArgs > 0) {
    if (!put || params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
        params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
      return DISP_E_NONAMEDARGS;
  } else if (put) {
    return DISP_E_PARAMNOTOPTIONAL;
  }
  return S_OK;
}

}  // namespace detail

namespace {
const VARIANT& follow(const VARIANT& v) {
  if (v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal) return *v.pvarVal;
  return v;
}
}  // namespace

bool DispatchCall::has(UINT index) const noexcept {
  if (index >= params_.cArgs) return false;
  const VARIANT& v = follow(params_.rgvarg[params_.cArgs - 1 - index]);
  return !(v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND);
}

const VARIANT& DispatchCall::raw(UINT index) const {
  // With a property put, the named value sits at rgvarg[0] and is not a positional argument.
  const UINT named = params_.cNamedArgs;
  if (index + named >= params_.cArgs) check<IDispatch>(DISP_E_BADPARAMCOUNT);
  return follow(params_.rgvarg[params_.cArgs - 1 - index]);
}

const VARIANT& DispatchCall::put_value() const {
  if (params_.cNamedArgs != 1 || params_.cArgs == 0) check<IDispatch>(DISP_E_PARAMNOTFOUND);
  return follow(params_.rgvarg[0]);
}

VARIANT DispatchCall::coerced(UINT index, VARTYPE vt) const {
  const VARIANT& source = raw(index);
  VARIANT out;
  VariantInit(&out);
  const HRESULT hr = VariantChangeType(&out, &source, 0, vt);
  if (FAILED(hr)) {
    failed_ = params_.cArgs - 1 - index;
    check<IDispatch>(hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH);
  }
  return out;
}

LONG DispatchCall::get_long(UINT index) const { return coerced(index, VT_I4).lVal; }

bool DispatchCall::get_bool(UINT index) const { return coerced(index, VT_BOOL).boolVal != VARIANT_FALSE; }

std::u16string DispatchCall::get_string(UINT index) const {
  VARIANT v = coerced(index, VT_BSTR);
  std::u16string text(v.bstrVal ? v.bstrVal : u"", SysStringLen(v.bstrVal));
  VariantClear(&v);
  return text;
}

ComPtr<IUnknown> DispatchCall::get_unknown(UINT index) const {
  const VARIANT& v = raw(index);
  if (v.vt == VT_UNKNOWN || v.vt == VT_DISPATCH) return ComPtr<IUnknown>::borrow(v.punkVal);
  if (v.vt == (VT_BYREF | VT_UNKNOWN) || v.vt == (VT_BYREF | VT_DISPATCH))
    return ComPtr<IUnknown>::borrow(v.ppunkVal ? *v.ppunkVal : nullptr);
  failed_ = params_.cArgs - 1 - index;
  check<IDispatch>(DISP_E_TYPEMISMATCH);
  return {};
}

void DispatchCall::set_result(LONG value) const noexcept {
  if (!result_) return;
  VariantClear(result_);
  result_->vt = VT_I4;
  result_->lVal = value;
}

void DispatchCall::set_result(bool value) const noexcept {
  if (!result_) return;
  VariantClear(result_);
  result_->vt = VT_BOOL;
  result_->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void DispatchCall::set_result(std::u16string_view value) const {
  if (!result_) return;
  BSTR text = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  if (!text) throw std::bad_alloc();
  VariantClear(result_);
  result_->vt = VT_BSTR;
  result_->bstrVal = text;
}

void DispatchCall::set_result(IUnknown* value) const noexcept {
  if (!result_) return;
  VariantClear(result_);
  if (value) value->AddRef();
  result_->vt = VT_UNKNOWN;
  result_->punkVal = value;
}

void DispatchCall::set_result(IDispatch* value) const noexcept {
  if (!result_) return;
  VariantClear(result_);
  if (value) value->AddRef();
  result_->vt = VT_DISPATCH;
  result_->pdispVal = value;
}

void DispatchCall::set_result(Variant value) const noexcept {
  if (!result_) return;
  VariantClear(result_);
  *result_ = value.detach();
}

}  // namespace platform
