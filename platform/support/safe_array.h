// SafeArray: owns one SAFEARRAY*, move-only, with typed element access that checks the array's
// element type first, and lock<T>(): the data as a range for as long as the lock object lives.
#pragma once

#include <cstddef>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform/oleauto.h"
#include "platform/support/bstr.h"
#include "platform/support/com_ptr.h"

namespace platform {

class Variant;

// The VARTYPEs whose elements are stored as a T (VARIANT_BOOL is a SHORT, SCODE a LONG).
template <class T>
constexpr bool element_type_matches(VARTYPE vt) noexcept {
  using U = std::remove_cv_t<T>;
  if constexpr (std::is_same_v<U, LONG>) return vt == VT_I4 || vt == VT_INT || vt == VT_ERROR;
  else if constexpr (std::is_same_v<U, ULONG>) return vt == VT_UI4 || vt == VT_UINT;
  else if constexpr (std::is_same_v<U, SHORT>) return vt == VT_I2 || vt == VT_BOOL;
  else if constexpr (std::is_same_v<U, USHORT>) return vt == VT_UI2;
  else if constexpr (std::is_same_v<U, CHAR>) return vt == VT_I1;
  else if constexpr (std::is_same_v<U, BYTE>) return vt == VT_UI1;
  else if constexpr (std::is_same_v<U, LONGLONG>) return vt == VT_I8;
  else if constexpr (std::is_same_v<U, ULONGLONG>) return vt == VT_UI8;
  else if constexpr (std::is_same_v<U, FLOAT>) return vt == VT_R4;
  else if constexpr (std::is_same_v<U, DOUBLE>) return vt == VT_R8 || vt == VT_DATE;
  else if constexpr (std::is_same_v<U, CY>) return vt == VT_CY;
  else if constexpr (std::is_same_v<U, DECIMAL>) return vt == VT_DECIMAL;
  else if constexpr (std::is_same_v<U, BSTR>) return vt == VT_BSTR;
  else if constexpr (std::is_same_v<U, IUnknown*>) return vt == VT_UNKNOWN;
  else if constexpr (std::is_same_v<U, IDispatch*>) return vt == VT_DISPATCH;
  else if constexpr (std::is_same_v<U, VARIANT>) return vt == VT_VARIANT;
  else static_assert(sizeof(U) == 0, "no SAFEARRAY element type is stored as this type");
}

// The elements of a locked array (SafeArrayAccessData) until destroyed (SafeArrayUnaccessData).
// Indexing counts from 0 whatever the lower bound; a multi-dimensional array is seen flat,
// first index fastest. When locking failed, hr() says why and the range is empty.
template <class T>
class LockedElements {
 public:
  LockedElements(const LockedElements&) = delete;
  LockedElements& operator=(const LockedElements&) = delete;
  LockedElements(LockedElements&& other) noexcept
      : psa_(std::exchange(other.psa_, nullptr)),
        data_(std::exchange(other.data_, nullptr)),
        size_(std::exchange(other.size_, 0)),
        hr_(other.hr_) {}
  LockedElements& operator=(LockedElements&&) = delete;
  ~LockedElements() {
    if (psa_) (void)SafeArrayUnaccessData(psa_);
  }

  HRESULT hr() const noexcept { return hr_; }
  explicit operator bool() const noexcept { return SUCCEEDED(hr_); }
  T* begin() const noexcept { return data_; }
  T* end() const noexcept { return data_ + size_; }
  std::size_t size() const noexcept { return size_; }
  T& operator[](std::size_t i) const noexcept { return data_[i]; }

 private:
  friend class SafeArray;
  explicit LockedElements(HRESULT failure) noexcept : hr_(failure) {}
  LockedElements(SAFEARRAY* psa, T* data, std::size_t size) noexcept : psa_(psa), data_(data), size_(size) {}

  SAFEARRAY* psa_ = nullptr;
  T* data_ = nullptr;
  std::size_t size_ = 0;
  HRESULT hr_ = S_OK;
};

class SafeArray {
 public:
  SafeArray() noexcept = default;
  SafeArray(const SafeArray&) = delete;
  SafeArray& operator=(const SafeArray&) = delete;
  SafeArray(SafeArray&& other) noexcept : psa_(std::exchange(other.psa_, nullptr)) {}
  SafeArray& operator=(SafeArray&& other) noexcept {
    if (this != &other) reset_to(std::exchange(other.psa_, nullptr));
    return *this;
  }
  ~SafeArray() { reset(); }

  // One dimension of `count` elements from `lbound`; empty when vt has no elements or memory ran out.
  [[nodiscard]] static SafeArray create_vector(VARTYPE vt, LONG lbound, ULONG count) noexcept {
    return attach(SafeArrayCreateVector(vt, lbound, count));
  }
  [[nodiscard]] static SafeArray attach(SAFEARRAY* psa) noexcept {
    SafeArray r;
    r.psa_ = psa;
    return r;
  }
  // A deep copy into `out`, which is untouched on failure.
  [[nodiscard]] HRESULT copy(SafeArray& out) const noexcept;

  SAFEARRAY* get() const noexcept { return psa_; }
  explicit operator bool() const noexcept { return psa_ != nullptr; }
  // For out-parameters: destroys what is held first.
  SAFEARRAY** put() noexcept {
    reset();
    return &psa_;
  }
  [[nodiscard]] SAFEARRAY* detach() noexcept { return std::exchange(psa_, nullptr); }
  void reset() noexcept { reset_to(nullptr); }

  // VT_EMPTY when the array is null or records no element type.
  VARTYPE vartype() const noexcept;
  UINT dimensions() const noexcept { return SafeArrayGetDim(psa_); }
  // Bounds of dimension `dim` (from 1, creation order); a null array or a bad dimension reads
  // as the empty range 0..-1.
  LONG lbound(UINT dim = 1) const noexcept;
  LONG ubound(UINT dim = 1) const noexcept;
  // Elements across all dimensions.
  std::size_t size() const noexcept;

  // Typed element access for one-dimensional arrays. DISP_E_TYPEMISMATCH when the array holds
  // another type; `out` is untouched on failure. What get_element returns is the caller's copy.
  [[nodiscard]] HRESULT get_element(LONG index, LONG& out) const noexcept;
  [[nodiscard]] HRESULT get_element(LONG index, ULONG& out) const noexcept;
  [[nodiscard]] HRESULT get_element(LONG index, SHORT& out) const noexcept;
  [[nodiscard]] HRESULT get_element(LONG index, DOUBLE& out) const noexcept;
  [[nodiscard]] HRESULT get_element(LONG index, bool& out) const noexcept;
  [[nodiscard]] HRESULT get_element(LONG index, Bstr& out) const noexcept;
  [[nodiscard]] HRESULT get_element(LONG index, ComPtr<IUnknown>& out) const noexcept;
  [[nodiscard]] HRESULT get_element(LONG index, ComPtr<IDispatch>& out) const noexcept;
  [[nodiscard]] HRESULT get_element(LONG index, Variant& out) const noexcept;

  // The array stores its own copy (AddRef for interfaces); the caller keeps its value.
  [[nodiscard]] HRESULT put_element(LONG index, LONG value) noexcept;
  [[nodiscard]] HRESULT put_element(LONG index, ULONG value) noexcept;
  [[nodiscard]] HRESULT put_element(LONG index, SHORT value) noexcept;
  [[nodiscard]] HRESULT put_element(LONG index, DOUBLE value) noexcept;
  [[nodiscard]] HRESULT put_element(LONG index, bool value) noexcept;
  [[nodiscard]] HRESULT put_element(LONG index, const Bstr& value) noexcept;
  [[nodiscard]] HRESULT put_element(LONG index, std::u16string_view value) noexcept;
  [[nodiscard]] HRESULT put_element(LONG index, const OLECHAR* value) noexcept;
  [[nodiscard]] HRESULT put_element(LONG index, IUnknown* value) noexcept;
  [[nodiscard]] HRESULT put_element(LONG index, IDispatch* value) noexcept;
  [[nodiscard]] HRESULT put_element(LONG index, const Variant& value) noexcept;

  // The data as T, refused (DISP_E_TYPEMISMATCH) unless the array's element type is stored as T.
  template <class T>
  [[nodiscard]] LockedElements<T> lock() noexcept {
    if (!psa_) return LockedElements<T>(E_POINTER);
    if (!element_type_matches<T>(vartype()) || SafeArrayGetElemsize(psa_) != sizeof(T))
      return LockedElements<T>(DISP_E_TYPEMISMATCH);
    void* data = nullptr;
    const HRESULT hr = SafeArrayAccessData(psa_, &data);
    if (FAILED(hr)) return LockedElements<T>(hr);
    return LockedElements<T>(psa_, static_cast<T*>(data), size());
  }

 private:
  // Reads into a local first, so `out` changes only on success.
  template <class T>
  HRESULT get_value(LONG index, bool (*matches)(VARTYPE), T& out) const noexcept {
    T value{};
    const HRESULT hr = get_checked(index, matches, &value);
    if (SUCCEEDED(hr)) out = value;
    return hr;
  }
  HRESULT get_checked(LONG index, bool (*matches)(VARTYPE), void* out) const noexcept;
  HRESULT put_checked(LONG index, bool (*matches)(VARTYPE), void* value) noexcept;
  void reset_to(SAFEARRAY* psa) noexcept {
    if (SAFEARRAY* old = std::exchange(psa_, psa)) (void)SafeArrayDestroy(old);
  }

  SAFEARRAY* psa_ = nullptr;
};

}  // namespace platform
