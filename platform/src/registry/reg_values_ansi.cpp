// RegQueryValueExA, RegSetValueExA, RegDeleteValueA, RegEnumValueA: string data is kept as
// UTF-16 and converted with the ANSI code page on the way in and out.
#include <cstring>

#include "platform/src/registry/reg_call.h"
#include "platform/src/registry/value_delivery.h"
#include "platform/winnls.h"

using namespace platform::registry;

extern "C" LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                           LPBYTE lpData, LPDWORD lpcbData) {
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, KEY_QUERY_VALUE, t);
    if (rc != ERROR_SUCCESS) return rc;
    Value value;
    if ((rc = t.store->query_value(t.key.root, t.key.path, WideName(lpValueName).text(), value)) != ERROR_SUCCESS)
      return rc;
    return deliver_ansi(value, lpType, lpData, lpcbData);
  });
}

extern "C" LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType,
                                         const BYTE* lpData, DWORD cbData) {
  if (!lpData && cbData) return ERROR_INVALID_PARAMETER;
  return reg_call([&]() -> LONG {
    const WideName name(lpValueName);
    if (!is_string_type(dwType) || !lpData) return RegSetValueExW(hKey, name.get(), Reserved, dwType, lpData, cbData);
    // The terminator, when the caller counted one, converts like any other character.
    const std::vector<BYTE> wide = utf16_of(lpData, cbData);
    return RegSetValueExW(hKey, name.get(), Reserved, dwType, wide.data(), static_cast<DWORD>(wide.size()));
  });
}

extern "C" LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  return reg_call([&] { return RegDeleteValueW(hKey, WideName(lpValueName).get()); });
}

extern "C" LSTATUS WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                                        LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (!lpValueName || !lpcchValueName || lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, KEY_QUERY_VALUE, t);
    if (rc != ERROR_SUCCESS) return rc;
    Value value;
    if ((rc = t.store->enum_value(t.key.root, t.key.path, dwIndex, value)) != ERROR_SUCCESS) return rc;
    const std::string name = platform::narrow(value.name, CP_ACP);
    if (name.size() >= *lpcchValueName) return ERROR_MORE_DATA;
    std::memcpy(lpValueName, name.data(), name.size());
    lpValueName[name.size()] = 0;
    *lpcchValueName = static_cast<DWORD>(name.size());
    return deliver_ansi(value, lpType, lpData, lpcbData);
  });
}
