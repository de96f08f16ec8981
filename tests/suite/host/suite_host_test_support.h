// What the suite host tests share: an initialised thread with its own registry and a running
// suite session, checked at the end for objects left alive; automation calls in call order.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/objbase.h"
#include "platform/support/com_ptr.h"
#include "platform/support/module_state.h"
#include "platform/support/variant.h"
#include "platform/winreg.h"
#include "suite/host/suite_session.h"

namespace suite_host_test {

inline std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

// IDispatch::Invoke with the arguments in call order; the arguments are cleared afterwards.
inline HRESULT invoke(IDispatch* target, DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  const HRESULT hr = target->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
  for (auto& arg : reversed) (void)VariantClear(&arg);
  return hr;
}

inline VARIANT text_arg(const char16_t* text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

inline VARIANT bool_arg(bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

class SuiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    objects_before_ = platform::this_module().objects();
  }
  void TearDown() override {
    session_.stop();
    EXPECT_EQ(platform::this_module().objects(), objects_before_) << "objects left alive";
    CoUninitialize();
  }

  void start(suite::SuiteSettings settings = {}) { ASSERT_EQ(session_.start(std::move(settings)), S_OK); }

  template <class T>
  platform::ComPtr<T> create(REFCLSID clsid) {
    platform::ComPtr<T> object;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, platform::iid_of<T>, object.put_void()), S_OK);
    return object;
  }

  platform::registry::ScopedStore store_;
  suite::Session session_;
  LONG objects_before_ = 0;
};

}  // namespace suite_host_test
