#include "suite/cli/reg_query_text.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/support/reg_key.h"
#include "platform/winnls.h"

namespace suite::cli {
namespace {

std::string type_name(DWORD type) {
  switch (type) {
    case REG_NONE: return "REG_NONE";
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_DWORD: return "REG_DWORD";
    case REG_DWORD_BIG_ENDIAN: return "REG_DWORD_BIG_ENDIAN";
    case REG_LINK: return "REG_LINK";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    case REG_QWORD: return "REG_QWORD";
  }
  return "REG_UNKNOWN(" + std::to_string(type) + ")";
}

std::u16string utf16_of(const std::vector<BYTE>& data) {
  std::u16string text(data.size() / 2, u'\0');
  if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * 2);
  return text;
}

std::string data_text(DWORD type, const std::vector<BYTE>& data) {
  char number[32];
  if (type == REG_DWORD && data.size() == 4) {
    DWORD v;
    std::memcpy(&v, data.data(), 4);
    std::snprintf(number, sizeof number, "0x%x", v);
    return number;
  }
  if (type == REG_QWORD && data.size() == 8) {
    unsigned long long v;
    std::memcpy(&v, data.data(), 8);
    std::snprintf(number, sizeof number, "0x%llx", v);
    return number;
  }
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::u16string text = utf16_of(data);
    text.resize(std::char_traits<char16_t>::length(text.c_str()));
    return platform::to_utf8(text);
  }
  if (type == REG_MULTI_SZ) {
    std::u16string text = utf16_of(data);
    while (!text.empty() && text.back() == 0) text.pop_back();
    std::string out;
    for (const char16_t c : text) out += c ? platform::to_utf8(std::u16string(1, c)) : std::string("\\0");
    return out;
  }
  std::string hex;
  for (const BYTE b : data) {
    std::snprintf(number, sizeof number, "%02X", b);
    hex += number;
  }
  return hex;
}

}  // namespace

LONG reg_query_text(platform::registry::Root root, const std::u16string& path, std::string& text) {
  platform::RegKey key;
  if (const LONG rc = key.open(platform::registry::root_key(root), path, KEY_READ); rc != ERROR_SUCCESS) return rc;
  DWORD values = 0, longest_name = 0, largest = 0;
  LONG rc = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, &longest_name,
                             &largest, nullptr, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  const std::string name = platform::to_utf8(platform::registry::key_name(root, path));
  std::string out = "\n" + name + "\n";
  std::vector<WCHAR> value_name(longest_name + 1);
  std::vector<BYTE> data(largest);
  for (DWORD i = 0;; ++i) {
    DWORD name_length = static_cast<DWORD>(value_name.size());
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    rc = RegEnumValueW(key.get(), i, value_name.data(), &name_length, nullptr, &type, data.data(), &size);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) return rc;
    const std::u16string shown = name_length ? std::u16string(value_name.data(), name_length) : u"(Default)";
    out += "    " + platform::to_utf8(shown) + "    " + type_name(type) + "    " +
           data_text(type, std::vector<BYTE>(data.begin(), data.begin() + size)) + "\n";
  }
  std::string subkeys;
  WCHAR child[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    rc = RegEnumKeyExW(key.get(), i, child, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) return rc;
    subkeys += name + "\\" + platform::to_utf8(std::u16string(child, length)) + "\n";
  }
  if (!subkeys.empty()) out += "\n" + subkeys;
  text = std::move(out);
  return ERROR_SUCCESS;
}

}  // namespace suite::cli
