// A registration script parsed into the keys and values it names, before anything is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registrar.h"
#include "platform/winreg.h"

namespace platform::registrar {

struct ScriptValue {
  DWORD type = REG_SZ;  // REG_SZ ('s') or REG_DWORD ('d')
  std::u16string text;
  DWORD number = 0;
};

enum class KeyFlag { Plain, NoRemove, ForceRemove, Delete };

// One line of a key's body: a named value (`val name = ...`) or a subkey.
struct ScriptItem {
  bool is_value = false;
  KeyFlag flag = KeyFlag::Plain;
  std::u16string name;
  std::optional<ScriptValue> value;  // the named value, or the key's default value
  std::vector<ScriptItem> items;
};

struct ScriptRoot {
  HKEY key = nullptr;
  std::vector<ScriptItem> items;
};

// False (and `roots` untouched) on a syntax error, an unknown %NAME% or a bad number.
[[nodiscard]] bool parse_script(std::u16string_view script, const RegistrarReplacements& replacements,
                                std::vector<ScriptRoot>& roots);

}  // namespace platform::registrar
