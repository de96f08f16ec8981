// What the COM tests share: an initialised thread with its own registry, and registration of
// the test server.
#pragma once

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

#include "platform/objbase.h"
#include "platform/support/reg_key.h"

namespace com_test {

inline std::u16string guid_text(REFGUID guid) {
  OLECHAR text[CHARS_IN_GUID];
  StringFromGUID2(guid, text, CHARS_IN_GUID);
  return text;
}

inline std::u16string widen(std::string_view s) { return std::u16string(s.begin(), s.end()); }

// HKCR\CLSID\{clsid}\InprocServer32 = path, as a server's DllRegisterServer writes it.
inline void register_inproc(REFCLSID clsid, std::u16string_view path) {
  platform::RegKey key;
  ASSERT_EQ(key.create(HKEY_CLASSES_ROOT, u"CLSID\\" + guid_text(clsid) + u"\\InprocServer32"), ERROR_SUCCESS);
  ASSERT_EQ(key.set_string(u"", path), ERROR_SUCCESS);
  ASSERT_EQ(key.set_string(u"ThreadingModel", u"Both"), ERROR_SUCCESS);
}

// Whether the process has the shared object loaded, without loading it.
inline bool is_loaded(const char* path) {
  void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

// An apartment-threaded test thread with a registry of its own.
class ComTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
  void TearDown() override {
    CoFreeUnusedLibraries();
    CoUninitialize();
  }

  platform::registry::ScopedStore store_;
};

}  // namespace com_test
