// The suite's skin store (see host/skin.h for where the values live): the values the suite's
// skin starts with, written when the skin is not there yet.
#pragma once

#include <string_view>

#include "platform/windef.h"

namespace suite {

// Writes the default skin below `configuration_root` unless a skin is already there.
[[nodiscard]] LONG install_skin(std::u16string_view configuration_root);

// The number of bullet button images ("BulletButton1".."BulletButtonN").
inline constexpr int kBulletButtonImages = 8;

}  // namespace suite
