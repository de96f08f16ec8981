// Bstr: owns one BSTR. Move-only; copies are explicit (copy()). A default Bstr holds a null
// BSTR, which Automation treats as the empty string.
#pragma once

#include <limits>
#include <new>
#include <string_view>
#include <utility>

#include "platform/oleauto.h"

namespace platform {

class Bstr {
 public:
  Bstr() noexcept = default;
  // An empty view gives an allocated empty string, not a null one. Throws std::bad_alloc.
  explicit Bstr(std::u16string_view text) : b_(allocate(text)) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    if (this != &other) reset_to(std::exchange(other.b_, nullptr));
    return *this;
  }
  ~Bstr() { reset(); }

  // Takes over a BSTR the caller owns.
  [[nodiscard]] static Bstr attach(BSTR b) noexcept {
    Bstr r;
    r.b_ = b;
    return r;
  }
  // Throws std::bad_alloc; a null string copies as null.
  [[nodiscard]] Bstr copy() const {
    if (!b_) return Bstr();
    BSTR c = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(b_), SysStringByteLen(b_));
    if (!c) throw std::bad_alloc();
    return attach(c);
  }
  // Hands a new copy to a caller's out-parameter.
  [[nodiscard]] HRESULT CopyTo(BSTR* out) const noexcept {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!b_) return S_OK;
    *out = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(b_), SysStringByteLen(b_));
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  BSTR get() const noexcept { return b_; }
  bool is_null() const noexcept { return b_ == nullptr; }
  // Characters, embedded zeros included.
  UINT length() const noexcept { return SysStringLen(b_); }
  std::u16string_view view() const noexcept { return b_ ? std::u16string_view(b_, length()) : std::u16string_view(); }

  // For out-parameters: frees what is held first.
  BSTR* put() noexcept {
    reset();
    return &b_;
  }
  [[nodiscard]] BSTR detach() noexcept { return std::exchange(b_, nullptr); }
  void reset() noexcept { reset_to(nullptr); }

 private:
  static BSTR allocate(std::u16string_view text) {
    if (text.size() > std::numeric_limits<UINT>::max() / sizeof(OLECHAR)) throw std::bad_alloc();
    BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!b) throw std::bad_alloc();
    return b;
  }
  void reset_to(BSTR b) noexcept { SysFreeString(std::exchange(b_, b)); }

  BSTR b_ = nullptr;
};

}  // namespace platform
