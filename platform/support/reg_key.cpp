#include "platform/support/reg_key.h"

#include <cstring>

namespace platform {
namespace {

// The Reg* functions take terminated names; views may not be.
std::u16string terminated(std::u16string_view s) { return std::u16string(s); }

}  // namespace

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    close();
    key_ = std::exchange(other.key_, nullptr);
  }
  return *this;
}

void RegKey::close() noexcept {
  if (key_) RegCloseKey(std::exchange(key_, nullptr));
}

LONG RegKey::open(HKEY parent, std::u16string_view subkey, REGSAM access) {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExW(parent, terminated(subkey).c_str(), 0, access, &key);
  if (rc != ERROR_SUCCESS) return rc;
  close();
  key_ = key;
  return ERROR_SUCCESS;
}

LONG RegKey::create(HKEY parent, std::u16string_view subkey, REGSAM access, DWORD* disposition) {
  HKEY key = nullptr;
  DWORD how = 0;
  const LONG rc = RegCreateKeyExW(parent, terminated(subkey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                  nullptr, &key, &how);
  if (rc != ERROR_SUCCESS) return rc;
  close();
  key_ = key;
  if (disposition) *disposition = how;
  return ERROR_SUCCESS;
}

LONG RegKey::get_string(std::u16string_view name, std::u16string& value) const {
  const std::u16string n = terminated(name);
  DWORD type = 0;
  DWORD size = 0;
  LONG rc = RegQueryValueExW(key_, n.c_str(), nullptr, &type, nullptr, &size);
  if (rc != ERROR_SUCCESS) return rc;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_INVALID_DATA;
  std::u16string text((size + 1) / sizeof(WCHAR), u'\0');
  // The value may grow between the two calls; ask again until it fits.
  while ((rc = RegQueryValueExW(key_, n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size)) ==
         ERROR_MORE_DATA)
    text.resize((size + 1) / sizeof(WCHAR));
  if (rc != ERROR_SUCCESS) return rc;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_INVALID_DATA;
  text.resize(size / sizeof(WCHAR));
  while (!text.empty() && text.back() == u'\0') text.pop_back();
  value = std::move(text);
  return ERROR_SUCCESS;
}

LONG RegKey::set_string(std::u16string_view name, std::u16string_view value, DWORD type) {
  const std::u16string data = terminated(value);
  return RegSetValueExW(key_, terminated(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>((data.size() + 1) * sizeof(WCHAR)));
}

LONG RegKey::get_dword(std::u16string_view name, DWORD& value) const {
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  const LONG rc = RegQueryValueExW(key_, terminated(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                                   &size);
  if (rc == ERROR_MORE_DATA) return ERROR_INVALID_DATA;
  if (rc != ERROR_SUCCESS) return rc;
  if (type != REG_DWORD || size != sizeof(data)) return ERROR_INVALID_DATA;
  value = data;
  return ERROR_SUCCESS;
}

LONG RegKey::set_dword(std::u16string_view name, DWORD value) {
  return RegSetValueExW(key_, terminated(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof(value));
}

LONG RegKey::delete_value(std::u16string_view name) { return RegDeleteValueW(key_, terminated(name).c_str()); }

LONG RegKey::delete_tree(std::u16string_view subkey) {
  const std::u16string s = terminated(subkey);
  return RegDeleteTreeW(key_, s.c_str());
}

}  // namespace platform
