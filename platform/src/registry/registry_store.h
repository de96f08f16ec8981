// What the Reg* functions keep keys and values in. A store addresses a key by its root and
// its path below it (names joined by backslashes, "" for the root itself); names compare
// without regard to case and keep the case they were created with. Answers are Win32 codes.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/winreg.h"

namespace platform::registry {

struct Value {
  std::u16string name;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// What RegQueryInfoKey reports: lengths in characters without the terminator, data in bytes.
struct KeyInfo {
  DWORD subkeys = 0;
  DWORD max_subkey_length = 0;
  DWORD values = 0;
  DWORD max_value_name_length = 0;
  DWORD max_value_size = 0;
};

class RegistryStore {
 public:
  virtual ~RegistryStore() = default;

  // ERROR_SUCCESS when the key exists, ERROR_FILE_NOT_FOUND otherwise.
  virtual LONG key_exists(Root root, std::u16string_view path) = 0;
  // Creates the key and any missing parents; `created` tells whether the key itself was new.
  virtual LONG create_key(Root root, std::u16string_view path, bool& created) = 0;
  // ERROR_ACCESS_DENIED while the key still has subkeys; the root cannot be deleted.
  virtual LONG delete_key(Root root, std::u16string_view path) = 0;
  // Subkeys in case-insensitive name order; ERROR_NO_MORE_ITEMS past the last.
  virtual LONG enum_subkey(Root root, std::u16string_view path, DWORD index, std::u16string& name) = 0;

  virtual LONG query_value(Root root, std::u16string_view path, std::u16string_view name, Value& out) = 0;
  // Values in the order they were first set; ERROR_NO_MORE_ITEMS past the last.
  virtual LONG enum_value(Root root, std::u16string_view path, DWORD index, Value& out) = 0;
  virtual LONG set_value(Root root, std::u16string_view path, std::u16string_view name, DWORD type,
                         std::span<const BYTE> data) = 0;
  virtual LONG delete_value(Root root, std::u16string_view path, std::u16string_view name) = 0;

  virtual LONG key_info(Root root, std::u16string_view path, KeyInfo& out) = 0;

  // Runs `body` so that its writes land together or not at all: a failure code or an
  // exception from `body` undoes every write it made. Calls may nest; the outermost decides.
  virtual LONG transact(const std::function<LONG()>& body) = 0;
};

}  // namespace platform::registry
