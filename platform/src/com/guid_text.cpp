// GUID <-> text in the braced registry form.
#include <cstdlib>
#include <cstring>

#include "platform/combaseapi.h"

namespace {

int hex_digit(OLECHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool read_hex(LPCOLESTR s, int digits, unsigned long long& value) {
  value = 0;
  for (int i = 0; i < digits; ++i) {
    const int h = hex_digit(s[i]);
    if (h < 0) return false;
    value = value * 16 + static_cast<unsigned>(h);
  }
  return true;
}

// Only the exact braced 38-character form parses; anything else leaves `out` as GUID_NULL.
bool parse_braced(LPCOLESTR s, GUID& out) {
  out = GUID_NULL;
  if (!s || s[0] != u'{') return false;
  for (int i = 1; i < 38; ++i)
    if (s[i] == 0) return false;
  if (s[37] != u'}' || s[38] != 0) return false;
  if (s[9] != u'-' || s[14] != u'-' || s[19] != u'-' || s[24] != u'-') return false;
  GUID g{};
  unsigned long long v = 0;
  if (!read_hex(s + 1, 8, v)) return false;
  g.Data1 = static_cast<DWORD>(v);
  if (!read_hex(s + 10, 4, v)) return false;
  g.Data2 = static_cast<WORD>(v);
  if (!read_hex(s + 15, 4, v)) return false;
  g.Data3 = static_cast<WORD>(v);
  for (int i = 0; i < 2; ++i) {
    if (!read_hex(s + 20 + 2 * i, 2, v)) return false;
    g.Data4[i] = static_cast<BYTE>(v);
  }
  for (int i = 0; i < 6; ++i) {
    if (!read_hex(s + 25 + 2 * i, 2, v)) return false;
    g.Data4[2 + i] = static_cast<BYTE>(v);
  }
  out = g;
  return true;
}

void format_braced(REFGUID g, OLECHAR* out) {
  static const char kHex[] = "0123456789ABCDEF";
  int pos = 0;
  auto put_hex = [&](unsigned long long value, int digits) {
    for (int i = digits - 1; i >= 0; --i) out[pos++] = static_cast<OLECHAR>(kHex[(value >> (4 * i)) & 0xF]);
  };
  out[pos++] = u'{';
  put_hex(g.Data1, 8);
  out[pos++] = u'-';
  put_hex(g.Data2, 4);
  out[pos++] = u'-';
  put_hex(g.Data3, 4);
  out[pos++] = u'-';
  put_hex(g.Data4[0], 2);
  put_hex(g.Data4[1], 2);
  out[pos++] = u'-';
  for (int i = 2; i < 8; ++i) put_hex(g.Data4[i], 2);
  out[pos++] = u'}';
  out[pos] = 0;
}

HRESULT string_from_guid(REFGUID g, LPOLESTR* out) {
  if (!out) return E_INVALIDARG;
  *out = static_cast<LPOLESTR>(CoTaskMemAlloc(CHARS_IN_GUID * sizeof(OLECHAR)));
  if (!*out) return E_OUTOFMEMORY;
  format_braced(g, *out);
  return S_OK;
}

}  // namespace

STDAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid) {
  if (!pclsid) return E_INVALIDARG;
  if (!lpsz || !lpsz[0]) {  // an empty or null string is CLSID_NULL, and no error
    *pclsid = CLSID_NULL;
    return S_OK;
  }
  return parse_braced(lpsz, *pclsid) ? S_OK : CO_E_CLASSSTRING;
}

STDAPI IIDFromString(LPCOLESTR lpsz, LPIID lpiid) {
  if (!lpiid) return E_INVALIDARG;
  if (!lpsz) {
    *lpiid = IID_NULL;
    return S_OK;
  }
  return parse_braced(lpsz, *lpiid) ? S_OK : E_INVALIDARG;
}

STDAPI_(int) StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
  if (!lpsz || cchMax < CHARS_IN_GUID) return 0;
  format_braced(rguid, lpsz);
  return CHARS_IN_GUID;
}

STDAPI StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz) { return string_from_guid(rclsid, lplpsz); }
STDAPI StringFromIID(REFIID riid, LPOLESTR* lplpsz) { return string_from_guid(riid, lplpsz); }

STDAPI_(LPVOID) CoTaskMemAlloc(SIZE_T cb) { return std::malloc(cb ? cb : 1); }
STDAPI_(LPVOID) CoTaskMemRealloc(LPVOID pv, SIZE_T cb) { return std::realloc(pv, cb ? cb : 1); }
STDAPI_(void) CoTaskMemFree(LPVOID pv) { std::free(pv); }
