// Unicode simple case mapping of the BMP (as glibc's C.UTF-8 locale has it) and the character
// classes the linguistic comparisons order by; tables built once.
#pragma once

#include <cstdint>

namespace platform::text {

struct CaseTables {
  char16_t upper[0x10000];
  char16_t lower[0x10000];
  // 0 symbols, punctuation, spaces; 1 digits; 2 letters.
  std::uint8_t sort_class[0x10000];
};

const CaseTables& case_tables();

inline char16_t ascii_lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }
inline char16_t ascii_upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

}  // namespace platform::text
