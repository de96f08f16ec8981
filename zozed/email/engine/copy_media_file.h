// CopyMediaFile: a file copied for mail, re-encoded only when it is a still picture that must
// turn or change format, byte for byte otherwise.
#pragma once

#include <string_view>

#include "platform/windef.h"

namespace zozed::email {

// Paths may carry the "file::" prefix. Overwrites the target.
bool CopyMediaFile(std::u16string_view source, std::u16string_view target, LONG rotation);

}  // namespace zozed::email
