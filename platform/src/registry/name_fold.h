// The byte key a store sorts and matches names by: each code unit upper-cased, written
// big-endian, so that comparing the bytes orders names exactly as compare_names does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

namespace platform::registry {

std::vector<BYTE> fold_name(std::u16string_view name);

}  // namespace platform::registry
