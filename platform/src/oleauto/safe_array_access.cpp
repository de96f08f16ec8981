// SAFEARRAY locking and element access. Get hands the caller a copy it owns; Put stores a copy
// and never takes over the caller's reference.
#include <atomic>
#include <cstring>
#include <utility>

#include "platform/src/oleauto/safe_array_layout.h"

using namespace platform::oleauto;

namespace {

constexpr ULONG kMaxLocks = 0xFFFF;

// Unlocks on every path out of an element operation.
class ScopedLock {
 public:
  explicit ScopedLock(SAFEARRAY* psa) : psa_(psa), hr_(SafeArrayLock(psa)) {}
  ~ScopedLock() {
    if (SUCCEEDED(hr_)) (void)SafeArrayUnlock(psa_);
  }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;
  HRESULT hr() const { return hr_; }

 private:
  SAFEARRAY* psa_;
  HRESULT hr_;
};

}  // namespace

STDAPI SafeArrayLock(SAFEARRAY* psa) {
  if (!psa) return E_INVALIDARG;
  std::atomic_ref<ULONG> locks(psa->cLocks);
  if (locks.fetch_add(1) >= kMaxLocks) {
    locks.fetch_sub(1);
    return E_UNEXPECTED;
  }
  return S_OK;
}

STDAPI SafeArrayUnlock(SAFEARRAY* psa) {
  if (!psa) return E_INVALIDARG;
  std::atomic_ref<ULONG> locks(psa->cLocks);
  ULONG current = locks.load();
  do {
    if (current == 0) return E_UNEXPECTED;
  } while (!locks.compare_exchange_weak(current, current - 1));
  return S_OK;
}

STDAPI SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
  if (!psa || !ppvData) return E_INVALIDARG;
  const HRESULT hr = SafeArrayLock(psa);
  if (FAILED(hr)) return hr;
  *ppvData = psa->pvData;
  return S_OK;
}

STDAPI SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

STDAPI SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData) {
  if (!psa || !rgIndices || !ppvData || !psa->pvData) return E_INVALIDARG;
  std::size_t number = 0;
  const HRESULT hr = element_number(psa, rgIndices, number);
  if (FAILED(hr)) return hr;
  *ppvData = static_cast<char*>(psa->pvData) + number * psa->cbElements;
  return S_OK;
}

STDAPI SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
  if (!psa || !rgIndices || !pv) return E_INVALIDARG;
  ScopedLock lock(psa);
  if (FAILED(lock.hr())) return lock.hr();
  void* cell = nullptr;
  HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &cell);
  if (FAILED(hr)) return hr;
  if (psa->fFeatures & FADF_VARIANT) {
    auto* out = static_cast<VARIANT*>(pv);
    VariantInit(out);  // an out-parameter: whatever it held is not ours to clear
    hr = VariantCopy(out, static_cast<const VARIANT*>(cell));
    if (FAILED(hr)) VariantInit(out);
    return hr;
  }
  if (psa->fFeatures & FADF_BSTR) {
    const BSTR source = *static_cast<BSTR*>(cell);
    BSTR copy = nullptr;
    if (source) {
      copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source), SysStringByteLen(source));
      if (!copy) return E_OUTOFMEMORY;
    }
    *static_cast<BSTR*>(pv) = copy;
    return S_OK;
  }
  if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
    IUnknown* p = *static_cast<IUnknown**>(cell);
    if (p) p->AddRef();
    *static_cast<IUnknown**>(pv) = p;
    return S_OK;
  }
  std::memcpy(pv, cell, psa->cbElements);
  return S_OK;
}

// BSTR and interface elements are passed as the pointer itself (null allowed), the rest by address.
STDAPI SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
  if (!psa || !rgIndices) return E_INVALIDARG;
  const bool pointer_elements = psa->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH);
  if (!pv && !pointer_elements) return E_INVALIDARG;
  ScopedLock lock(psa);
  if (FAILED(lock.hr())) return lock.hr();
  void* cell = nullptr;
  const HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &cell);
  if (FAILED(hr)) return hr;
  if (psa->fFeatures & FADF_VARIANT) return VariantCopy(static_cast<VARIANT*>(cell), static_cast<const VARIANT*>(pv));
  if (psa->fFeatures & FADF_BSTR) {
    const auto source = static_cast<BSTR>(pv);
    BSTR copy = nullptr;
    if (source) {
      copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source), SysStringByteLen(source));
      if (!copy) return E_OUTOFMEMORY;
    }
    SysFreeString(std::exchange(*static_cast<BSTR*>(cell), copy));
    return S_OK;
  }
  if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
    auto* incoming = static_cast<IUnknown*>(pv);
    if (incoming) incoming->AddRef();  // before the old one goes: they may be the same object
    if (IUnknown* old = std::exchange(*static_cast<IUnknown**>(cell), incoming)) old->Release();
    return S_OK;
  }
  std::memcpy(cell, pv, psa->cbElements);
  return S_OK;
}
