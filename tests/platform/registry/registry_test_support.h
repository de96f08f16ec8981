// Small helpers the registry tests share: keys and REG_SZ values in one call.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/winreg.h"

namespace registry_test {

// Behaviour tests run over every kind of store.
enum class StoreKind { Memory, Sqlite };
inline constexpr StoreKind kAllStores[] = {StoreKind::Memory, StoreKind::Sqlite};

inline std::shared_ptr<platform::registry::RegistryStore> make_store(StoreKind kind) {
  return kind == StoreKind::Memory ? platform::registry::make_memory_store() : platform::registry::open_store(":memory:");
}

inline std::string store_kind_name(const ::testing::TestParamInfo<StoreKind>& info) {
  return info.param == StoreKind::Memory ? "Memory" : "Sqlite";
}

inline HKEY create(HKEY parent, const std::u16string& path, REGSAM access = KEY_ALL_ACCESS, DWORD* disposition = nullptr) {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, access, nullptr, &key, disposition), ERROR_SUCCESS)
      << std::string(path.begin(), path.end());
  return key;
}

// Whether `path` opens below `parent` (the handle is closed again): the error code.
inline LONG open_rc(HKEY parent, const std::u16string& path, REGSAM access = KEY_READ) {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExW(parent, path.c_str(), 0, access, &key);
  if (key) RegCloseKey(key);
  return rc;
}

inline void set_sz(HKEY key, const char16_t* name, const std::u16string& text) {
  EXPECT_EQ(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR))),
            ERROR_SUCCESS);
}

inline void set_dword(HKEY key, const char16_t* name, DWORD value) {
  EXPECT_EQ(RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4), ERROR_SUCCESS);
}

}  // namespace registry_test
