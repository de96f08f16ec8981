// What the COM tests share: an initialised thread with its own registry, and registration of
// the test server the way a server's DllRegisterServer writes it.
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

// HKCR\CLSID\{clsid}\InprocServer32 = path, written through the Win32 functions.
inline void register_inproc(REFCLSID clsid, std::u16string_view path) {
  const std::u16string subkey = u"CLSID\\" + guid_text(clsid) + u"\\InprocServer32";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::u16string value(path);
  ASSERT_EQ(RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR))),
            ERROR_SUCCESS);
  const std::u16string model = u"Both";
  ASSERT_EQ(RegSetValueExW(key, u"ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(model.c_str()),
                           static_cast<DWORD>((model.size() + 1) * sizeof(WCHAR))),
            ERROR_SUCCESS);
  RegCloseKey(key);
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
