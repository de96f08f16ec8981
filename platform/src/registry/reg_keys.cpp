// RegOpenKeyExW, RegCreateKeyExW, RegCloseKey, RegDeleteKeyW, RegDeleteTreeW, RegEnumKeyExW.
#include <cstring>

#include "platform/src/registry/reg_call.h"
#include "platform/src/registry/store_tree.h"

using namespace platform::registry;


extern "C" LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, 0, t);
    if (rc != ERROR_SUCCESS) return rc;
    std::u16string path;
    if ((rc = join_path(t.key.path, lpSubKey, path)) != ERROR_SUCCESS) return rc;
    if ((rc = t.store->key_exists(t.key.root, path)) != ERROR_SUCCESS) return rc;
    *phkResult = add_handle(OpenKey{t.key.root, std::move(path), granted_access(samDesired), false});
    return ERROR_SUCCESS;
  });
}

extern "C" LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM samDesired,
                                          LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, 0, t);
    if (rc != ERROR_SUCCESS) return rc;
    std::u16string path;
    if ((rc = join_path(t.key.path, lpSubKey, path)) != ERROR_SUCCESS) return rc;
    bool created = false;
    if (t.store->key_exists(t.key.root, path) != ERROR_SUCCESS) {
      // Only making a key needs the right to; opening an existing one through here does not.
      if (!(t.key.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
      if ((rc = t.store->create_key(t.key.root, path, created)) != ERROR_SUCCESS) return rc;
    }
    *phkResult = add_handle(OpenKey{t.key.root, std::move(path), granted_access(samDesired), false});
    if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
  });
}

extern "C" LSTATUS WINAPI RegCloseKey(HKEY hKey) {
  return reg_call([&] { return close_handle(hKey); });
}

// As on Windows, the handle's own rights play no part: deleting is checked on the subkey.
extern "C" LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, 0, t);
    if (rc != ERROR_SUCCESS) return rc;
    std::u16string path;
    if ((rc = join_path(t.key.path, lpSubKey, path)) != ERROR_SUCCESS) return rc;
    if (path.empty()) return ERROR_ACCESS_DENIED;  // a predefined root itself
    return t.store->delete_key(t.key.root, path);
  });
}

extern "C" LSTATUS WINAPI RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey) {
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, t);
    if (rc != ERROR_SUCCESS) return rc;
    std::u16string path;
    if ((rc = join_path(t.key.path, lpSubKey, path)) != ERROR_SUCCESS) return rc;
    if ((rc = t.store->key_exists(t.key.root, path)) != ERROR_SUCCESS) return rc;
    // Without a subkey the key itself stays, emptied of subkeys and values.
    const bool keep_self = !lpSubKey || path == t.key.path;
    return delete_tree(*t.store, t.key.root, path, keep_self);
  });
}

extern "C" LSTATUS WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName,
                                        LPDWORD lpReserved, LPWSTR lpClass, LPDWORD lpcchClass,
                                        PFILETIME lpftLastWriteTime) {
  if (!lpName || !lpcchName || lpReserved) return ERROR_INVALID_PARAMETER;
  return reg_call([&]() -> LONG {
    Target t;
    LONG rc = resolve(hKey, KEY_ENUMERATE_SUB_KEYS, t);
    if (rc != ERROR_SUCCESS) return rc;
    std::u16string name;
    if ((rc = t.store->enum_subkey(t.key.root, t.key.path, dwIndex, name)) != ERROR_SUCCESS) return rc;
    if (name.size() >= *lpcchName) return ERROR_MORE_DATA;
    std::memcpy(lpName, name.data(), name.size() * sizeof(WCHAR));
    lpName[name.size()] = 0;
    *lpcchName = static_cast<DWORD>(name.size());
    // Keys have no class here.
    if (lpClass && lpcchClass && *lpcchClass > 0) lpClass[0] = 0;
    if (lpcchClass) *lpcchClass = 0;
    if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
  });
}
