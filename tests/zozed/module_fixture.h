// A test thread with COM initialised, a registry of its own and the built module loaded by
// path; every test ends with the module free of objects and locks.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/libloaderapi.h"
#include "platform/objbase.h"
#include "platform/winreg.h"

namespace zozed_test {

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

}  // namespace zozed_test
