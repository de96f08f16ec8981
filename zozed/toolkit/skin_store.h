// Reading the host's skin: opening a skin key below the environment's configuration root.
#pragma once

#include <string_view>

#include "platform/support/reg_key.h"

namespace zozed::toolkit {

// Opens skin key `key` (such as "ActivityPaneControl\VertLayout") for reading; false, leaving
// `out` closed, when the environment or the key is missing.
[[nodiscard]] bool open_skin_key(std::u16string_view key, platform::RegKey& out);

// A REG_DWORD value of skin key `key`, or `fallback`.
DWORD skin_dword(std::u16string_view key, std::u16string_view name, DWORD fallback);

}  // namespace zozed::toolkit
