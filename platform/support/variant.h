// Variant: contains one VARIANT and owns what it holds (VariantClear on destruction).
// Move-only; copies are explicit (copy()). Accessors answer only for the exact type held.
#pragma once

#include <optional>
#include <string_view>
#include <utility>

#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/support/com_ptr.h"
#include "platform/support/safe_array.h"

namespace platform {

class Variant {
 public:
  Variant() noexcept { VariantInit(&v_); }
  explicit Variant(LONG value) noexcept : Variant() {
    v_.vt = VT_I4;
    v_.lVal = value;
  }
  explicit Variant(SHORT value) noexcept : Variant() {
    v_.vt = VT_I2;
    v_.iVal = value;
  }
  explicit Variant(bool value) noexcept : Variant() {
    v_.vt = VT_BOOL;
    v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  }
  explicit Variant(DOUBLE value) noexcept : Variant() {
    v_.vt = VT_R8;
    v_.dblVal = value;
  }
  // Takes over the string.
  explicit Variant(Bstr text) noexcept : Variant() {
    v_.vt = VT_BSTR;
    v_.bstrVal = text.detach();
  }
  // Copies the text; throws std::bad_alloc.
  explicit Variant(std::u16string_view text) : Variant(Bstr(text)) {}
  explicit Variant(const OLECHAR* text) : Variant(text ? Bstr(std::u16string_view(text)) : Bstr()) {}
  // Adds a reference of its own.
  explicit Variant(const ComPtr<IUnknown>& object) noexcept : Variant() {
    v_.vt = VT_UNKNOWN;
    v_.punkVal = object.copy().detach();
  }
  explicit Variant(const ComPtr<IDispatch>& object) noexcept : Variant() {
    v_.vt = VT_DISPATCH;
    v_.pdispVal = object.copy().detach();
  }
  // Takes over the array; VT_ARRAY with its element type. An array that records no element
  // type cannot be described and raises ComError(E_INVALIDARG).
  explicit Variant(SafeArray array) : Variant() {
    if (!array) return;
    const VARTYPE element = array.vartype();
    if (element == VT_EMPTY) throw ComError(E_INVALIDARG, IID_NULL);
    v_.vt = VT_ARRAY | element;
    v_.parray = array.detach();
  }

  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  Variant& operator=(Variant&& other) noexcept {
    if (this != &other) {
      clear();
      v_ = other.v_;
      VariantInit(&other.v_);
    }
    return *this;
  }
  ~Variant() { clear(); }

  // Takes over what `v` holds.
  [[nodiscard]] static Variant attach(const VARIANT& v) noexcept {
    Variant r;
    r.v_ = v;
    return r;
  }
  // Hands over what is held, leaving this Variant empty.
  [[nodiscard]] VARIANT detach() noexcept {
    VARIANT out = v_;
    VariantInit(&v_);
    return out;
  }
  // A deep copy (VariantCopy) into `out`, which is untouched on failure.
  [[nodiscard]] HRESULT copy(Variant& out) const noexcept {
    Variant fresh;
    const HRESULT hr = VariantCopy(&fresh.v_, &v_);
    if (SUCCEEDED(hr)) out = std::move(fresh);
    return hr;
  }

  const VARIANT* get() const noexcept { return &v_; }
  VARIANT* get() noexcept { return &v_; }
  // For out-parameters: clears what is held first.
  VARIANT* put() noexcept {
    clear();
    return &v_;
  }
  VARTYPE vt() const noexcept { return v_.vt; }
  void clear() noexcept {
    if (FAILED(VariantClear(&v_))) VariantInit(&v_);  // a locked array is left to its locker
  }

  // Converts in place (VariantChangeType); untouched on failure.
  [[nodiscard]] HRESULT change_type(VARTYPE vt, USHORT flags = 0) noexcept {
    Variant converted;
    const HRESULT hr = VariantChangeType(&converted.v_, &v_, flags, vt);
    if (SUCCEEDED(hr)) *this = std::move(converted);
    return hr;
  }

  std::optional<LONG> as_long() const noexcept { return v_.vt == VT_I4 ? std::optional<LONG>(v_.lVal) : std::nullopt; }
  std::optional<SHORT> as_short() const noexcept {
    return v_.vt == VT_I2 ? std::optional<SHORT>(v_.iVal) : std::nullopt;
  }
  std::optional<DOUBLE> as_double() const noexcept {
    return v_.vt == VT_R8 ? std::optional<DOUBLE>(v_.dblVal) : std::nullopt;
  }
  std::optional<bool> as_bool() const noexcept {
    return v_.vt == VT_BOOL ? std::optional<bool>(v_.boolVal != VARIANT_FALSE) : std::nullopt;
  }
  // A view of the string held (a null BSTR reads as empty); valid while this Variant is unchanged.
  std::optional<std::u16string_view> as_bstr() const noexcept {
    if (v_.vt != VT_BSTR) return std::nullopt;
    return v_.bstrVal ? std::u16string_view(v_.bstrVal, SysStringLen(v_.bstrVal)) : std::u16string_view();
  }
  // A new reference to the object held (possibly null).
  std::optional<ComPtr<IUnknown>> as_unknown() const noexcept {
    if (v_.vt != VT_UNKNOWN) return std::nullopt;
    return ComPtr<IUnknown>::borrow(v_.punkVal);
  }
  std::optional<ComPtr<IDispatch>> as_dispatch() const noexcept {
    if (v_.vt != VT_DISPATCH) return std::nullopt;
    return ComPtr<IDispatch>::borrow(v_.pdispVal);
  }
  // The array held, still owned by this Variant.
  std::optional<SAFEARRAY*> as_array() const noexcept {
    if (!(v_.vt & VT_ARRAY) || (v_.vt & VT_BYREF)) return std::nullopt;
    return v_.parray;
  }

 private:
  VARIANT v_;
};

}  // namespace platform
