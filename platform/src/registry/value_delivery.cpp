#include "platform/src/registry/value_delivery.h"

#include <cstring>

#include "platform/winnls.h"

namespace platform::registry {
namespace {

LONG hand_out(DWORD value_type, const std::vector<BYTE>& bytes, LPDWORD type, LPBYTE data, LPDWORD cb_data,
              bool terminate) {
  if (type) *type = value_type;
  if (!cb_data) return ERROR_SUCCESS;
  const auto size = static_cast<DWORD>(bytes.size());
  if (data && *cb_data < size) {
    *cb_data = size;
    return ERROR_MORE_DATA;
  }
  if (data && size) {
    std::memcpy(data, bytes.data(), size);
    // Windows adds a terminator to an unterminated ANSI string when the buffer has room,
    // without counting it in the size.
    if (terminate && size < *cb_data && data[size - 1]) data[size] = 0;
  }
  *cb_data = size;
  return ERROR_SUCCESS;
}

}  // namespace

std::vector<BYTE> ansi_of(const std::vector<BYTE>& utf16) {
  std::u16string wide(utf16.size() / sizeof(WCHAR), u'\0');  // a trailing odd byte is no character
  if (!wide.empty()) std::memcpy(wide.data(), utf16.data(), wide.size() * sizeof(WCHAR));
  const std::string ansi = platform::narrow(wide, CP_ACP);
  return std::vector<BYTE>(ansi.begin(), ansi.end());
}

std::vector<BYTE> utf16_of(const BYTE* ansi, DWORD size) {
  const std::u16string wide =
      size ? platform::widen(std::string_view(reinterpret_cast<const char*>(ansi), size), CP_ACP) : std::u16string();
  const auto* bytes = reinterpret_cast<const BYTE*>(wide.data());
  return std::vector<BYTE>(bytes, bytes + wide.size() * sizeof(WCHAR));
}

LONG deliver(const Value& value, LPDWORD type, LPBYTE data, LPDWORD cb_data) {
  return hand_out(value.type, value.data, type, data, cb_data, false);
}

LONG deliver_ansi(const Value& value, LPDWORD type, LPBYTE data, LPDWORD cb_data) {
  if (!is_string_type(value.type)) return deliver(value, type, data, cb_data);
  return hand_out(value.type, ansi_of(value.data), type, data, cb_data, true);
}

WideName::WideName(LPCSTR name) : null_(name == nullptr) {
  if (name) text_ = platform::widen(name, CP_ACP);
}

}  // namespace platform::registry
