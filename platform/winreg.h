// The registry as Win32 presents it: predefined roots, access rights, value types and the
// W functions over keys and values, plus the store the process's registry lives in.
#pragma once

#include "platform/winnt.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "platform/windef.h"
#include "platform/winerror.h"

using REGSAM = DWORD;
using LPSECURITY_ATTRIBUTES = struct _SECURITY_ATTRIBUTES*;

// Predefined keys are sign-extended 32-bit values, as in the Windows headers.
#define PLATFORM_PREDEFINED_HKEY(value) \
  (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(value)))))
#define HKEY_CLASSES_ROOT PLATFORM_PREDEFINED_HKEY(0x80000000)
#define HKEY_CURRENT_USER PLATFORM_PREDEFINED_HKEY(0x80000001)
#define HKEY_LOCAL_MACHINE PLATFORM_PREDEFINED_HKEY(0x80000002)
#define HKEY_USERS PLATFORM_PREDEFINED_HKEY(0x80000003)

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
inline constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
inline constexpr REGSAM KEY_READ = (STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY) & ~SYNCHRONIZE;
inline constexpr REGSAM KEY_WRITE = (STANDARD_RIGHTS_WRITE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY) & ~SYNCHRONIZE;
inline constexpr REGSAM KEY_EXECUTE = KEY_READ;
inline constexpr REGSAM KEY_ALL_ACCESS = (STANDARD_RIGHTS_ALL | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY |
                                          KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK) &
                                         ~SYNCHRONIZE;
static_assert(KEY_READ == 0x20019 && KEY_WRITE == 0x20006 && KEY_ALL_ACCESS == 0xF003F);

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0x0;
inline constexpr DWORD REG_OPTION_VOLATILE = 0x1;
inline constexpr DWORD REG_CREATED_NEW_KEY = 0x1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 0x2;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_DWORD_LITTLE_ENDIAN = 4;
inline constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
inline constexpr DWORD REG_LINK = 6;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;
inline constexpr DWORD REG_QWORD_LITTLE_ENDIAN = 11;

// Sizes are in bytes; names in characters. Every function answers a Win32 error code.
extern "C" {
LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                               REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                               LPDWORD lpdwDisposition);
LSTATUS WINAPI RegCloseKey(HKEY hKey);
LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey);
LSTATUS WINAPI RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey);
LSTATUS WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                             LPWSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);
LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                                LPDWORD lpcbData);
LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                              DWORD cbData);
LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName);
LSTATUS WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
LSTATUS WINAPI RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                                LPDWORD lpcSubKeys, LPDWORD lpcchMaxSubKeyLen, LPDWORD lpcchMaxClassLen,
                                LPDWORD lpcValues, LPDWORD lpcchMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime);

// The A functions convert names, and the data of REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ
// values, with the ANSI code page; sizes of such data are then ANSI byte counts.
LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LSTATUS WINAPI RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                               REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                               LPDWORD lpdwDisposition);
LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey);
LSTATUS WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                             LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);
LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                                LPDWORD lpcbData);
LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                              DWORD cbData);
LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName);
LSTATUS WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
}

namespace platform::registry {

class RegistryStore;

// A store that lives in memory only, empty when created.
std::shared_ptr<RegistryStore> make_memory_store();

// A store that cannot be opened: the message names the file and the reason.
class StoreError : public std::runtime_error {
 public:
  StoreError(std::string path, const std::string& message) : std::runtime_error(message), path_(std::move(path)) {}
  const std::string& path() const noexcept { return path_; }

 private:
  std::string path_;
};

// The SQLite store in `path`, created when no such file exists; ":memory:" gives one that
// lives in memory. An existing file that is not a sound store of this layout raises
// StoreError and is left exactly as it was.
std::shared_ptr<RegistryStore> open_store(const std::string& path);
// $XDG_DATA_HOME/zozed/registry.db, or ~/.local/share/zozed/registry.db.
std::string default_store_path();
// The store named by the environment variable ZOZED_STORE, else the default one (its folder
// created if need be). Raises StoreError.
std::shared_ptr<RegistryStore> open_default_store();

// Makes `store` the process's registry and answers the one it replaces. Open handles keep
// naming their key by path, so they see the new store.
std::shared_ptr<RegistryStore> use_store(std::shared_ptr<RegistryStore> store);
std::shared_ptr<RegistryStore> current_store();

// Puts a store in place for a scope (a test) and restores the previous one afterwards.
class ScopedStore {
 public:
  explicit ScopedStore(std::shared_ptr<RegistryStore> store) : previous_(use_store(std::move(store))) {}
  ScopedStore() : ScopedStore(make_memory_store()) {}
  ~ScopedStore() { use_store(std::move(previous_)); }
  ScopedStore(const ScopedStore&) = delete;
  ScopedStore& operator=(const ScopedStore&) = delete;

 private:
  std::shared_ptr<RegistryStore> previous_;
};

// The predefined keys a store holds trees under.
enum class Root { ClassesRoot, CurrentUser, LocalMachine, Users };

inline HKEY root_key(Root root) {
  switch (root) {
    case Root::ClassesRoot: return HKEY_CLASSES_ROOT;
    case Root::CurrentUser: return HKEY_CURRENT_USER;
    case Root::LocalMachine: return HKEY_LOCAL_MACHINE;
    case Root::Users: break;
  }
  return HKEY_USERS;
}

// A key written the way people write them: HKEY_CURRENT_USER\Software\X, or HKCU, HKLM, HKCR,
// HKU for the root. False when the root is unknown or the path malformed.
bool parse_key_name(std::u16string_view text, Root& root, std::u16string& path);
std::u16string key_name(Root root, std::u16string_view path);

// The .reg text format, as the Windows registry editor writes it (version 5.00).
enum class RegFileEncoding { Utf8, Utf16Le };

// Applies a .reg file's bytes (UTF-16LE with its byte-order mark, or UTF-8 with or without
// one) to `store` in one transaction: on any error nothing is applied and `error` says
// what, with the line number.
[[nodiscard]] LONG import_reg(RegistryStore& store, std::string_view bytes, std::string& error);
// The key named by `key` (empty: the whole store) and everything below it, as .reg text.
[[nodiscard]] LONG export_reg(RegistryStore& store, std::u16string_view key, std::u16string& text);
std::string encode_reg(std::u16string_view text, RegFileEncoding encoding);

}  // namespace platform::registry
