// Registry names compare as Windows compares them: both upper-cased, then code unit by code unit.
#include "platform/src/registry/name_compare.h"

#include "platform/wide_crt.h"

namespace platform::registry {

int compare_names(std::u16string_view a, std::u16string_view b) noexcept { return platform::compare_ignore_case(a, b); }

}  // namespace platform::registry
