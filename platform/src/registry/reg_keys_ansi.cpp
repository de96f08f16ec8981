// RegOpenKeyExA, RegOpenKeyA, RegCreateKeyExA, RegDeleteKeyA, RegEnumKeyExA: names through
// the ANSI code page, then the W functions.
#include <cstring>

#include "platform/src/registry/reg_call.h"
#include "platform/src/registry/value_delivery.h"
#include "platform/winnls.h"

using namespace platform::registry;

extern "C" LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                                        PHKEY phkResult) {
  return reg_call([&] { return RegOpenKeyExW(hKey, WideName(lpSubKey).get(), ulOptions, samDesired, phkResult); });
}

// Without a subkey the caller's own handle comes back, not a new one.
extern "C" LSTATUS WINAPI RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  if (!lpSubKey || !*lpSubKey) {
    *phkResult = hKey;
    return ERROR_SUCCESS;
  }
  return RegOpenKeyExA(hKey, lpSubKey, 0, MAXIMUM_ALLOWED, phkResult);
}

extern "C" LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR, DWORD dwOptions,
                                          REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes,
                                          PHKEY phkResult, LPDWORD lpdwDisposition) {
  return reg_call([&] {
    return RegCreateKeyExW(hKey, WideName(lpSubKey).get(), Reserved, nullptr, dwOptions, samDesired,
                           lpSecurityAttributes, phkResult, lpdwDisposition);
  });
}

extern "C" LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  return reg_call([&] { return RegDeleteKeyW(hKey, WideName(lpSubKey).get()); });
}

extern "C" LSTATUS WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName,
                                        LPDWORD lpReserved, LPSTR lpClass, LPDWORD lpcchClass,
                                        PFILETIME lpftLastWriteTime) {
  if (!lpName || !lpcchName || lpReserved) return ERROR_INVALID_PARAMETER;
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, KEY_ENUMERATE_SUB_KEYS, t);
    if (rc != ERROR_SUCCESS) return rc;
    std::u16string name;
    if ((rc = t.store->enum_subkey(t.key.root, t.key.path, dwIndex, name)) != ERROR_SUCCESS) return rc;
    const std::string ansi = platform::narrow(name, CP_ACP);
    if (ansi.size() >= *lpcchName) return ERROR_MORE_DATA;
    std::memcpy(lpName, ansi.data(), ansi.size());
    lpName[ansi.size()] = 0;
    *lpcchName = static_cast<DWORD>(ansi.size());
    if (lpClass && lpcchClass && *lpcchClass > 0) lpClass[0] = 0;
    if (lpcchClass) *lpcchClass = 0;
    if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
  });
}
