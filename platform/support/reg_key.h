// RegKey: one open registry key, closed when it goes. Move-only; a failed call leaves the
// key and the caller's out-parameters as they were.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/winreg.h"

namespace platform {

class RegKey {
 public:
  RegKey() noexcept = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  RegKey& operator=(RegKey&& other) noexcept;
  ~RegKey() { close(); }

  [[nodiscard]] LONG open(HKEY parent, std::u16string_view subkey, REGSAM access = KEY_READ);
  // `disposition` (optional) receives REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
  [[nodiscard]] LONG create(HKEY parent, std::u16string_view subkey, REGSAM access = KEY_READ | KEY_WRITE,
                            DWORD* disposition = nullptr);
  void close() noexcept;

  // REG_SZ or REG_EXPAND_SZ without its terminator; ERROR_INVALID_DATA for another type.
  [[nodiscard]] LONG get_string(std::u16string_view name, std::u16string& value) const;
  // Stored with its terminator, as Windows programs store strings.
  [[nodiscard]] LONG set_string(std::u16string_view name, std::u16string_view value, DWORD type = REG_SZ);
  // REG_DWORD of four bytes; ERROR_INVALID_DATA otherwise.
  [[nodiscard]] LONG get_dword(std::u16string_view name, DWORD& value) const;
  [[nodiscard]] LONG set_dword(std::u16string_view name, DWORD value);
  [[nodiscard]] LONG delete_value(std::u16string_view name);
  // Removes the subkey and everything below it.
  [[nodiscard]] LONG delete_tree(std::u16string_view subkey);

  HKEY get() const noexcept { return key_; }
  explicit operator bool() const noexcept { return key_ != nullptr; }
  [[nodiscard]] HKEY detach() noexcept { return std::exchange(key_, nullptr); }

 private:
  HKEY key_ = nullptr;
};

}  // namespace platform
