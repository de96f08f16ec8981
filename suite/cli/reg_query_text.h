// The text `zozed reg query` prints for a key: its values, then its subkeys.
#pragma once

#include <string>

#include "platform/winreg.h"

namespace suite::cli {

// Lines as the Windows `reg query` command prints them, in UTF-8; a Win32 code on failure.
LONG reg_query_text(platform::registry::Root root, const std::u16string& path, std::string& text);

}  // namespace suite::cli
