// GUID and its aliases, plus a compile-time parser so that identifiers are written as the
// braced text everybody reads them in, and the iid_of<T> trait that stands in for __uuidof.
#pragma once

#include "platform/windef.h"

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
static_assert(sizeof(GUID) == 16);

using IID = GUID;
using CLSID = GUID;
using FMTID = GUID;
using LPGUID = GUID*;
using LPCLSID = CLSID*;
using LPIID = IID*;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using REFFMTID = const FMTID&;

constexpr bool IsEqualGUID(REFGUID a, REFGUID b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}
constexpr bool IsEqualIID(REFIID a, REFIID b) { return IsEqualGUID(a, b); }
constexpr bool IsEqualCLSID(REFCLSID a, REFCLSID b) { return IsEqualGUID(a, b); }
constexpr bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }

inline constexpr GUID GUID_NULL{};
inline constexpr IID IID_NULL{};
inline constexpr CLSID CLSID_NULL{};

namespace platform {

namespace detail {
constexpr int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
constexpr unsigned long long hex_field(const char* s, int digits) {
  unsigned long long v = 0;
  for (int i = 0; i < digits; ++i) {
    const int h = hex_value(s[i]);
    if (h < 0) throw "GUID literal: not a hex digit";  // only ever evaluated at compile time
    v = v * 16 + static_cast<unsigned>(h);
  }
  return v;
}
}  // namespace detail

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" or the same without braces, at compile time.
template <std::size_t N>
consteval GUID make_guid(const char (&text)[N]) {
  const char* s = text;
  std::size_t len = N - 1;
  if (len == 38) {
    if (s[0] != '{' || s[37] != '}') throw "GUID literal: braces";
    ++s;
    len = 36;
  }
  if (len != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-') throw "GUID literal: form";
  GUID g{};
  g.Data1 = static_cast<DWORD>(detail::hex_field(s, 8));
  g.Data2 = static_cast<WORD>(detail::hex_field(s + 9, 4));
  g.Data3 = static_cast<WORD>(detail::hex_field(s + 14, 4));
  g.Data4[0] = static_cast<BYTE>(detail::hex_field(s + 19, 2));
  g.Data4[1] = static_cast<BYTE>(detail::hex_field(s + 21, 2));
  for (int i = 0; i < 6; ++i) g.Data4[2 + i] = static_cast<BYTE>(detail::hex_field(s + 24 + 2 * i, 2));
  return g;
}

// Specialised for every interface by PLATFORM_DECLARE_IID; an interface without one does not compile.
template <class Interface>
struct iid_traits;

template <class Interface>
inline constexpr const IID& iid_of = iid_traits<Interface>::iid;

}  // namespace platform

// Declares IID_<Interface> and binds it to the interface for iid_of<Interface>.
#define PLATFORM_DECLARE_IID(Interface, text)                        \
  inline constexpr IID IID_##Interface = ::platform::make_guid(text); \
  template <>                                                          \
  struct platform::iid_traits<Interface> {                             \
    static constexpr const IID& iid = IID_##Interface;                 \
  }

#define PLATFORM_DEFINE_GUID(name, text) inline constexpr GUID name = ::platform::make_guid(text)
