// Which profile an LCID names: the process's own for the default LCIDs, else a built-in one.
#pragma once

#include <memory>

#include "platform/locale_profile.h"

namespace platform::locale {

// Null for an LCID this platform does not know.
std::shared_ptr<const LocaleProfile> profile_for(LCID lcid);

}  // namespace platform::locale
