// The generic class factory and the CLSID table a server's DllGetClassObject answers from.
#pragma once

#include <span>

#include "platform/support/com_object.h"

namespace platform {

template <class T>
class ClassFactory final : public ComObject<ClassFactory<T>, IClassFactory> {
 public:
  // Factories do not keep their server loaded; LockServer does (as in every COM server).
  static constexpr bool kCountsTowardsModule = false;

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return create_com<T>(riid, ppv);
  }

  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock)
      this_module().lock();
    else
      this_module().unlock();
    return S_OK;
  }
};

struct ClassEntry {
  const CLSID* clsid;
  HRESULT (*get_factory)(REFIID riid, void** ppv);
};

template <class T>
HRESULT class_factory_of(REFIID riid, void** ppv) {
  return create_com<ClassFactory<T>>(riid, ppv);
}

template <class T>
constexpr ClassEntry class_entry(const CLSID& clsid) {
  return ClassEntry{&clsid, &class_factory_of<T>};
}

// DllGetClassObject over a table of classes.
inline HRESULT get_class_object(std::span<const ClassEntry> classes, REFCLSID rclsid, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  for (const auto& entry : classes)
    if (IsEqualGUID(*entry.clsid, rclsid)) return entry.get_factory(riid, ppv);
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace platform

// Exported entry points of an in-process server keep default visibility in a hidden build.
#define PLATFORM_EXPORT __attribute__((visibility("default")))
