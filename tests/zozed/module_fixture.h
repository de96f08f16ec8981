// A test thread with COM initialised, a registry of its own and the built module loaded by
// path; every test ends with the module free of objects and locks. SuiteModuleTest adds the
// suite: the module registered, the suite's host objects running, objects created through the
// registry as a host creates them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/libloaderapi.h"
#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/com_ptr.h"
#include "platform/winreg.h"
#include "suite/host/suite_session.h"

namespace zozed_test {

// The text of a returned BSTR, which is freed.
inline std::u16string take(BSTR b) {
  std::u16string text = b ? std::u16string(b, SysStringLen(b)) : std::u16string();
  SysFreeString(b);
  return text;
}

class ModuleTest : public ::testing::Test {
 protected:
  using Entry = HRESULT (*)();

  void SetUp() override {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    module_ = LoadLibraryA(ZOZED_MODULE_PATH);
    ASSERT_NE(module_, nullptr);
    path_ = platform::module_path_of(reinterpret_cast<const void*>(module_));
  }

  void TearDown() override {
    if (module_) {
      EXPECT_EQ(entry("DllCanUnloadNow")(), S_OK);
      FreeLibrary(module_);
    }
    CoFreeUnusedLibraries();
    CoUninitialize();
  }

  Entry entry(const char* name) {
    const auto function = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    EXPECT_NE(function, nullptr) << name;
    return function;
  }

  HRESULT register_module() { return entry("DllRegisterServer")(); }
  HRESULT unregister_module() { return entry("DllUnregisterServer")(); }

  platform::registry::ScopedStore store_;
  HMODULE module_ = nullptr;
  std::u16string path_;  // as the module names itself, Z:\...
};

class SuiteModuleTest : public ModuleTest {
 protected:
  void TearDown() override {
    session_.stop();
    ModuleTest::TearDown();
  }

  void start(suite::SuiteSettings settings = {}) {
    ASSERT_EQ(register_module(), S_OK);
    ASSERT_EQ(session_.start(std::move(settings)), S_OK);
  }

  template <class Interface>
  platform::ComPtr<Interface> create(const CLSID& clsid) {
    platform::ComPtr<Interface> object;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, platform::iid_of<Interface>, object.put_void()),
              S_OK);
    return object;
  }

  suite::Session session_;
};

}  // namespace zozed_test
