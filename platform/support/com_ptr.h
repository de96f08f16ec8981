// ComPtr<T>: one owned reference to a COM interface. Move-only; copies are explicit (copy()).
#pragma once

#include <utility>

#include "platform/unknwn.h"

namespace platform {

template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) reset_to(std::exchange(other.p_, nullptr));
    return *this;
  }
  ~ComPtr() { reset(); }

  // Takes a reference the caller already owns (a fresh out-parameter, for instance).
  [[nodiscard]] static ComPtr attach(T* p) noexcept {
    ComPtr r;
    r.p_ = p;
    return r;
  }
  // Adds a reference of its own to a borrowed pointer.
  [[nodiscard]] static ComPtr borrow(T* p) noexcept {
    if (p) p->AddRef();
    return attach(p);
  }
  [[nodiscard]] ComPtr copy() const noexcept { return borrow(p_); }

  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }

  // For out-parameters: releases what is held first.
  T** put() noexcept {
    reset();
    return &p_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

  [[nodiscard]] T* detach() noexcept { return std::exchange(p_, nullptr); }
  void reset() noexcept { reset_to(nullptr); }

  // Hands a new reference to a caller's out-parameter (which may be null: E_POINTER).
  HRESULT CopyTo(T** pp) const noexcept {
    if (!pp) return E_POINTER;
    *pp = p_;
    if (p_) p_->AddRef();
    return S_OK;
  }

  // Queries for U; `out` is untouched on failure.
  template <class U>
  [[nodiscard]] HRESULT As(ComPtr<U>& out) const noexcept {
    if (!p_) return E_POINTER;
    U* q = nullptr;
    const HRESULT hr = p_->QueryInterface(iid_of<U>, reinterpret_cast<void**>(&q));
    if (SUCCEEDED(hr)) out = ComPtr<U>::attach(q);
    return hr;
  }
  // Queries for U; empty when the object does not have it.
  template <class U>
  [[nodiscard]] ComPtr<U> As() const noexcept {
    ComPtr<U> r;
    (void)As(r);
    return r;
  }

 private:
  void reset_to(T* p) noexcept {
    T* old = std::exchange(p_, p);
    if (old) old->Release();  // released after the member changed, in case Release re-enters
  }

  T* p_ = nullptr;
};

}  // namespace platform
