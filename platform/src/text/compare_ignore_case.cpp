// Registry-style ordering of names: Unicode simple upper case, then code units.
#include "platform/src/text/case_mapping.h"
#include "platform/wide_crt.h"

namespace platform {

int compare_ignore_case(std::u16string_view a, std::u16string_view b) {
  const char16_t* upper = text::case_tables().upper;
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t k = 0; k < n; ++k) {
    const char16_t x = upper[a[k]], y = upper[b[k]];
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace platform
