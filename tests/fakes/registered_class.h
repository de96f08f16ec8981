// A class object registered with CoRegisterClassObject for the life of a test: each
// CreateInstance is answered by the test's maker. Revoked when it goes.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "platform/objbase.h"
#include "platform/support/com_object.h"

namespace fakes {

using InstanceMaker = std::function<HRESULT(REFIID riid, void** ppv)>;

// Makes a T from copies of `args` on each call.
template <class T, class... Args>
InstanceMaker maker_of(Args... args) {
  return [args...](REFIID riid, void** ppv) { return platform::create_com<T>(riid, ppv, args...); };
}

class MakerFactory final : public platform::ComObject<MakerFactory, IClassFactory> {
 public:
  static constexpr bool kCountsTowardsModule = false;
  explicit MakerFactory(InstanceMaker maker) : maker_(std::move(maker)) {}

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return maker_(riid, ppv);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  InstanceMaker maker_;
};

class RegisteredClass {
 public:
  RegisteredClass(const CLSID& clsid, InstanceMaker maker) {
    platform::ComPtr<MakerFactory> factory;
    EXPECT_EQ(platform::make_com(factory, std::move(maker)), S_OK);
    EXPECT_EQ(CoRegisterClassObject(clsid, factory->identity(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_),
              S_OK);
  }
  ~RegisteredClass() {
    if (cookie_) {
      EXPECT_EQ(CoRevokeClassObject(cookie_), S_OK);
    }
  }
  RegisteredClass(const RegisteredClass&) = delete;
  RegisteredClass& operator=(const RegisteredClass&) = delete;

 private:
  DWORD cookie_ = 0;
};

}  // namespace fakes
