// Handing a value's type and data to a caller's buffers, as the W and the A functions do.
#pragma once

#include <string>
#include <vector>

#include "platform/src/registry/registry_store.h"

namespace platform::registry {

constexpr bool is_string_type(DWORD type) noexcept {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// A null buffer asks for the size; a short one gets nothing but the size it needs.
LONG deliver(const Value& value, LPDWORD type, LPBYTE data, LPDWORD cb_data);
// The same with string data converted to the ANSI code page and sized in ANSI bytes.
LONG deliver_ansi(const Value& value, LPDWORD type, LPBYTE data, LPDWORD cb_data);

// A string value's UTF-16 data as ANSI bytes, and ANSI bytes as UTF-16 data.
std::vector<BYTE> ansi_of(const std::vector<BYTE>& utf16);
std::vector<BYTE> utf16_of(const BYTE* ansi, DWORD size);

// A caller's ANSI name in UTF-16; a null name stays null.
struct WideName {
  explicit WideName(LPCSTR name);
  LPCWSTR get() const noexcept { return null_ ? nullptr : text_.c_str(); }
  const std::u16string& text() const noexcept { return text_; }

 private:
  std::u16string text_;
  bool null_;
};

}  // namespace platform::registry
