// RegQueryInfoKeyW: counts and longest names and data of a key. Keys here have no class,
// security descriptor or write time; those come back empty.
#include "platform/src/registry/reg_call.h"

using namespace platform::registry;

extern "C" LSTATUS WINAPI RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                           LPDWORD lpcSubKeys, LPDWORD lpcchMaxSubKeyLen, LPDWORD lpcchMaxClassLen,
                                           LPDWORD lpcValues, LPDWORD lpcchMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                           LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime) {
  if (lpReserved || (lpClass && !lpcchClass)) return ERROR_INVALID_PARAMETER;
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, KEY_QUERY_VALUE, t);
    if (rc != ERROR_SUCCESS) return rc;
    KeyInfo info;
    if ((rc = t.store->key_info(t.key.root, t.key.path, info)) != ERROR_SUCCESS) return rc;
    if (lpClass && *lpcchClass > 0) lpClass[0] = 0;
    if (lpcchClass) *lpcchClass = 0;
    if (lpcSubKeys) *lpcSubKeys = info.subkeys;
    if (lpcchMaxSubKeyLen) *lpcchMaxSubKeyLen = info.max_subkey_length;
    if (lpcchMaxClassLen) *lpcchMaxClassLen = 0;
    if (lpcValues) *lpcValues = info.values;
    if (lpcchMaxValueNameLen) *lpcchMaxValueNameLen = info.max_value_name_length;
    if (lpcbMaxValueLen) *lpcbMaxValueLen = info.max_value_size;
    if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
    if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
  });
}
