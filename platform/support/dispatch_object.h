// DispatchObject: IDispatch from a table of members (dispatch id, name, kinds of call,
// handler), for the many automation objects of the suite and the module. Handlers read their
// arguments through DispatchCall in call order, coerced as Invoke's callers expect.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "platform/oleauto.h"
#include "platform/support/com_object.h"
#include "platform/support/variant.h"

namespace platform {

// One Invoke call: its arguments in call order (Invoke receives them reversed) and its result.
class DispatchCall {
 public:
  DispatchCall(WORD flags, const DISPPARAMS& params, VARIANT* result) noexcept
      : flags_(flags), params_(params), result_(result) {}

  WORD flags() const noexcept { return flags_; }
  UINT count() const noexcept { return params_.cArgs; }
  // Present and not an omitted optional argument (VT_ERROR with DISP_E_PARAMNOTFOUND).
  bool has(UINT index) const noexcept;

  // The argument itself, VT_BYREF|VT_VARIANT followed; throws DISP_E_BADPARAMCOUNT when absent.
  const VARIANT& raw(UINT index) const;
  LONG get_long(UINT index) const;
  bool get_bool(UINT index) const;
  std::u16string get_string(UINT index) const;
  ComPtr<IUnknown> get_unknown(UINT index) const;  // VT_UNKNOWN or VT_DISPATCH; null stays null

  // The value put, for DISPATCH_PROPERTYPUT (the named DISPID_PROPERTYPUT argument).
  const VARIANT& put_value() const;

  // Results; ignored when the caller asked for none.
  void set_result(LONG value) const noexcept;
  void set_result(bool value) const noexcept;
  void set_result(std::u16string_view value) const;
  void set_result(IUnknown* value) const noexcept;   // adds a reference
  void set_result(IDispatch* value) const noexcept;  // adds a reference
  void set_result(Variant value) const noexcept;     // takes the value over

  // The reversed position of the argument whose coercion failed, for puArgErr.
  std::optional<UINT> failed_argument() const noexcept { return failed_; }

 private:
  VARIANT coerced(UINT index, VARTYPE vt) const;

  WORD flags_;
  const DISPPARAMS& params_;
  VARIANT* result_;
  mutable std::optional<UINT> failed_;
};

template <class Derived>
struct DispatchMember {
  DISPID id;
  const char16_t* name;
  WORD kinds;  // DISPATCH_METHOD | DISPATCH_PROPERTYGET | ...
  HRESULT (Derived::*handler)(const DispatchCall& call);
};

namespace detail {
// Case-insensitive (ASCII) name match, as GetIDsOfNames does for member names.
bool dispatch_name_equals(const char16_t* a, const OLECHAR* b) noexcept;
HRESULT check_dispatch_call(REFIID riid, WORD kinds, WORD flags, const DISPPARAMS* params) noexcept;
}  // namespace detail

// Derived provides `static std::span<const DispatchMember<Derived>> dispatch_members();` and,
// for an event sink, may provide `static const IID& dispinterface_iid();` (answered as IDispatch).
template <class Derived, class... Items>
class DispatchObject : public ComObject<Derived, Items...> {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;  // no type information: members are reached by id or name
    return S_OK;
  }

  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    return DISP_E_BADINDEX;
  }

  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    for (const auto& member : Derived::dispatch_members()) {
      if (detail::dispatch_name_equals(member.name, names[0])) {
        ids[0] = member.id;
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;  // named parameters are not supported
      }
    }
    return DISP_E_UNKNOWNNAME;
  }

  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT* arg_err) override {
    const DispatchMember<Derived>* member = nullptr;
    for (const auto& m : Derived::dispatch_members())
      if (m.id == id) member = &m;
    if (!member) return DISP_E_MEMBERNOTFOUND;
    const HRESULT checked = detail::check_dispatch_call(riid, member->kinds, flags, params);
    if (FAILED(checked)) return checked;
    if (result) VariantInit(result);
    static const DISPPARAMS kNoArguments{};
    const DispatchCall call(flags, params ? *params : kNoArguments, result);
    const HRESULT hr = com_boundary([&] { return (static_cast<Derived*>(this)->*(member->handler))(call); });
    if (call.failed_argument() && arg_err) *arg_err = *call.failed_argument();
    return hr;
  }

 protected:
  HRESULT QueryInterfaceExtra(REFIID iid, void** ppv) override {
    if constexpr (requires { Derived::dispinterface_iid(); }) {
      if (IsEqualGUID(iid, Derived::dispinterface_iid())) {
        IDispatch* dispatch = static_cast<Derived*>(this);
        dispatch->AddRef();
        *ppv = dispatch;
        return S_OK;
      }
    }
    return E_NOINTERFACE;
  }
};

}  // namespace platform
