// Export in the .reg text format: each key as a [name] line with its values below it, then
// its subkeys in the registry's order. Data that a quoted string would not give back
// byte for byte is written as hex.
#include <cstdio>
#include <cstring>

#include "platform/src/registry/registry_store.h"
#include "platform/winnls.h"

namespace platform::registry {
namespace {

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00\n\n";
constexpr std::size_t kLineWidth = 80;

std::u16string ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

std::u16string quoted(std::u16string_view text) {
  std::u16string out = u"\"";
  for (const char16_t c : text) {
    if (c == u'\\' || c == u'"') out += u'\\';
    out += c;
  }
  return out + u'"';
}

// A REG_SZ comes back from `"text"` only when it is well-formed text with one terminator and
// fits on a line.
bool plain_string(const Value& v, std::u16string& text) {
  if (v.type != REG_SZ || v.data.size() < 2 || v.data.size() % 2) return false;
  text.assign(v.data.size() / 2 - 1, u'\0');
  std::memcpy(text.data(), v.data.data(), text.size() * 2);
  if (v.data[v.data.size() - 1] || v.data[v.data.size() - 2]) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == 0 || c == u'\r' || c == u'\n') return false;
    if (c >= 0xD800 && c <= 0xDBFF && (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF))
      return false;
    if (c >= 0xDC00 && c <= 0xDFFF && (i == 0 || text[i - 1] < 0xD800 || text[i - 1] > 0xDBFF)) return false;
  }
  return true;
}

void write_hex(std::u16string& out, std::size_t line_start, const std::vector<BYTE>& data) {
  char byte[4];
  for (std::size_t i = 0; i < data.size(); ++i) {
    // Leave room for "xx," and the continuation backslash.
    if (out.size() - line_start + 4 > kLineWidth) {
      out += u"\\\n  ";
      line_start = out.size() - 2;
    }
    std::snprintf(byte, sizeof byte, i + 1 < data.size() ? "%02x," : "%02x", data[i]);
    out += ascii(byte);
  }
}

void write_value(std::u16string& out, const Value& v) {
  const std::size_t line_start = out.size();
  out += v.name.empty() ? std::u16string(u"@") : quoted(v.name);
  out += u'=';
  std::u16string text;
  if (plain_string(v, text)) {
    out += quoted(text);
  } else if (v.type == REG_DWORD && v.data.size() == 4) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "dword:%08x",
                  v.data[0] | v.data[1] << 8 | v.data[2] << 16 | static_cast<unsigned>(v.data[3]) << 24);
    out += ascii(digits);
  } else {
    char prefix[24];
    if (v.type == REG_BINARY) std::snprintf(prefix, sizeof prefix, "hex:");
    else std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(v.type));
    out += ascii(prefix);
    write_hex(out, line_start, v.data);
  }
  out += u'\n';
}

LONG write_key(RegistryStore& store, Root root, const std::u16string& path, std::u16string& out) {
  std::u16string section = u"[" + key_name(root, path) + u"]\n";
  Value value;
  LONG rc;
  for (DWORD i = 0; (rc = store.enum_value(root, path, i, value)) == ERROR_SUCCESS; ++i) write_value(section, value);
  if (rc != ERROR_NO_MORE_ITEMS) return rc;
  std::u16string child;
  std::u16string below;
  for (DWORD i = 0; (rc = store.enum_subkey(root, path, i, child)) == ERROR_SUCCESS; ++i)
    if ((rc = write_key(store, root, path.empty() ? child : path + u'\\' + child, below)) != ERROR_SUCCESS) return rc;
  if (rc != ERROR_NO_MORE_ITEMS) return rc;
  // A root is written only when it holds something; every other key always.
  if (!path.empty() || section.find(u'\n') + 1 < section.size() || !below.empty()) {
    out += section;
    out += u'\n';
  }
  out += below;
  return ERROR_SUCCESS;
}

}  // namespace

LONG export_reg(RegistryStore& store, std::u16string_view key, std::u16string& text) {
  std::u16string out(kHeader);
  if (key.empty()) {
    for (const Root root : {Root::ClassesRoot, Root::CurrentUser, Root::LocalMachine, Root::Users})
      if (const LONG rc = write_key(store, root, u"", out); rc != ERROR_SUCCESS) return rc;
  } else {
    Root root;
    std::u16string path;
    if (!parse_key_name(key, root, path)) return ERROR_BAD_PATHNAME;
    if (const LONG rc = store.key_exists(root, path); rc != ERROR_SUCCESS) return rc;
    if (const LONG rc = write_key(store, root, path, out); rc != ERROR_SUCCESS) return rc;
  }
  text = std::move(out);
  return ERROR_SUCCESS;
}

std::string encode_reg(std::u16string_view text, RegFileEncoding encoding) {
  if (encoding == RegFileEncoding::Utf8) return platform::to_utf8(text);
  // What the Windows registry editor writes: a byte-order mark and CR LF line ends.
  std::string out = "\xFF\xFE";
  out.reserve(2 + text.size() * 2);
  const auto put = [&](char16_t c) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  };
  for (const char16_t c : text) {
    if (c == u'\n') put(u'\r');
    put(c);
  }
  return out;
}

}  // namespace platform::registry
