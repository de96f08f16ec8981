// The registration-script runner of COM servers: writes (or removes) the keys and values a
// script such as `HKCR { NoRemove CLSID { ForceRemove {clsid} = s 'X Class' { ... } } }` names.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/windef.h"

namespace platform {

// %NAME% in a script stands for the text given here (compared without regard to case);
// %% stands for one percent sign.
struct RegistrarReplacement {
  std::u16string name;
  std::u16string text;
};
using RegistrarReplacements = std::vector<RegistrarReplacement>;

enum class RegistrarMode { Register, Unregister };

// Runs `script`. The whole script is parsed before anything is written, so a script with a
// syntax error (or an unknown %NAME%, or a `d` value that is not a number) changes nothing
// and answers DISP_E_EXCEPTION, as the system's registrar does. A failing registry call stops
// the run and answers HRESULT_FROM_WIN32 of its error.
//
// Register: `ForceRemove` keys are deleted with their subtree and written again, `Delete`
// keys are deleted, every other key is created or opened; default and `val` values are set.
// Unregister: `NoRemove` keys stay and the removal goes on inside them (`val` values named
// there are deleted); every other key the script names is deleted with its subtree, except
// the system keys directly below a root (CLSID, Interface, TypeLib, Software, ...); `Delete`
// keys are left alone. Keys and values the script does not name are never touched.
[[nodiscard]] HRESULT run_registrar_script(std::u16string_view script, const RegistrarReplacements& replacements,
                                           RegistrarMode mode);

}  // namespace platform
