// Registry values as they are stored, type and bytes, for tests that seed a key or read one back
// through the wide API.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/winreg.h"

namespace zozed_test {

inline constexpr char16_t kEmailOptions[] =
    u"Software\\Quarn\\Tessagram7\\QuarnTessagram\\Client\\Options\\TSGShare\\EmailOptions";

struct RegValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  bool operator==(const RegValue&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RegValue& value) {
  out << "type " << value.type << ", bytes";
  for (const BYTE b : value.data) out << ' ' << static_cast<int>(b);
  return out;
}

inline RegValue dword(DWORD number) {
  RegValue value{REG_DWORD, std::vector<BYTE>(sizeof number)};
  std::memcpy(value.data.data(), &number, sizeof number);
  return value;
}

// UTF-16 text, with its terminator unless told otherwise.
inline RegValue sz(std::u16string_view text, bool terminated = true) {
  const std::u16string stored = terminated ? std::u16string(text) + u'\0' : std::u16string(text);
  const auto* bytes = reinterpret_cast<const BYTE*>(stored.data());
  return {REG_SZ, std::vector<BYTE>(bytes, bytes + stored.size() * sizeof(char16_t))};
}

// Writes `values` (name, value) into `key`, made when missing.
inline void put_values(HKEY root, const std::u16string& key, std::vector<std::pair<std::u16string, RegValue>> values) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr), ERROR_SUCCESS);
  for (const auto& [name, value] : values)
    EXPECT_EQ(RegSetValueExW(h, name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size())),
              ERROR_SUCCESS);
  RegCloseKey(h);
}

inline std::optional<RegValue> stored_value(HKEY root, const std::u16string& key, const std::u16string& name) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return std::nullopt;
  RegValue value;
  DWORD size = 0;
  LONG status = RegQueryValueExW(h, name.c_str(), nullptr, &value.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.data.resize(size);
    status = RegQueryValueExW(h, name.c_str(), nullptr, &value.type, value.data.data(), &size);
  }
  RegCloseKey(h);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

// The e-mail options, as the module stores them for the user.
inline void put_option(const std::u16string& name, RegValue value) {
  put_values(HKEY_CURRENT_USER, kEmailOptions, {{name, std::move(value)}});
}
inline std::optional<RegValue> stored_option(const std::u16string& name) {
  return stored_value(HKEY_CURRENT_USER, kEmailOptions, name);
}

}  // namespace zozed_test
