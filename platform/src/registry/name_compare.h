// The registry's comparison of key and value names: both upper-cased, then code units compared.
#pragma once

#include <string_view>

namespace platform::registry {

// <0, 0 or >0 as a before, equal to or after b.
int compare_names(std::u16string_view a, std::u16string_view b) noexcept;

inline bool same_name(std::u16string_view a, std::u16string_view b) noexcept { return compare_names(a, b) == 0; }

struct NameLess {
  bool operator()(std::u16string_view a, std::u16string_view b) const noexcept { return compare_names(a, b) < 0; }
};

}  // namespace platform::registry
