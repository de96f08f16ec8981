// Unicode properties (BMP) behind composition checks and best-fit mappings.
#pragma once

#include <cstddef>

namespace platform::text {

struct CanonicalPair {
  char16_t composed, first, second;
};
struct BestFitBase {
  char16_t ch, base;
};
struct CodeRange {
  char16_t lo, hi;
};

// Sorted by their first member.
extern const CanonicalPair kCanonicalPairs[];
extern const std::size_t kCanonicalPairCount;
extern const BestFitBase kBestFitBases[];
extern const std::size_t kBestFitBaseCount;
extern const CodeRange kNonspacingRanges[];
extern const std::size_t kNonspacingRangeCount;

// A nonspacing (combining) mark, general category Mn.
bool is_nonspacing(char16_t c);
// The precomposed character for `base` + `mark`, or 0.
char16_t compose(char16_t base, char16_t mark);
// The canonical two-character decomposition of `c`; false if it has none.
bool decompose(char16_t c, char16_t& first, char16_t& second);
// The letter `c` reduces to once its marks and compatibility formatting are dropped, or 0.
char16_t best_fit_base(char16_t c);

}  // namespace platform::text
