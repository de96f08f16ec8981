// RegQueryValueExW, RegSetValueExW, RegDeleteValueW, RegEnumValueW.
#include <cstring>

#include "platform/src/registry/reg_call.h"
#include "platform/src/registry/value_delivery.h"

using namespace platform::registry;

namespace {

std::u16string_view value_name(LPCWSTR name) { return name ? std::u16string_view(name) : std::u16string_view(); }

}  // namespace

extern "C" LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                           LPBYTE lpData, LPDWORD lpcbData) {
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, KEY_QUERY_VALUE, t);
    if (rc != ERROR_SUCCESS) return rc;
    Value value;
    if ((rc = t.store->query_value(t.key.root, t.key.path, value_name(lpValueName), value)) != ERROR_SUCCESS)
      return rc;
    return deliver(value, lpType, lpData, lpcbData);
  });
}

extern "C" LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                                         DWORD cbData) {
  if (!lpData && cbData) return ERROR_INVALID_PARAMETER;
  return reg_call([&]() -> LONG {
    Target t;
    const LONG rc = resolve(hKey, KEY_SET_VALUE, t);
    if (rc != ERROR_SUCCESS) return rc;
    return t.store->set_value(t.key.root, t.key.path, value_name(lpValueName), dwType,
                              std::span<const BYTE>(lpData, lpData ? cbData : 0));
  });
}

extern "C" LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
  return reg_call([&]() -> LONG {
    Target t;
    const LONG rc = resolve(hKey, KEY_SET_VALUE, t);
    if (rc != ERROR_SUCCESS) return rc;
    return t.store->delete_value(t.key.root, t.key.path, value_name(lpValueName));
  });
}

extern "C" LSTATUS WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                                        LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (!lpValueName || !lpcchValueName || lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, KEY_QUERY_VALUE, t);
    if (rc != ERROR_SUCCESS) return rc;
    Value value;
    if ((rc = t.store->enum_value(t.key.root, t.key.path, dwIndex, value)) != ERROR_SUCCESS) return rc;
    if (value.name.size() >= *lpcchValueName) return ERROR_MORE_DATA;
    std::memcpy(lpValueName, value.name.data(), value.name.size() * sizeof(WCHAR));
    lpValueName[value.name.size()] = 0;
    *lpcchValueName = static_cast<DWORD>(value.name.size());
    return deliver(value, lpType, lpData, lpcbData);
  });
}
