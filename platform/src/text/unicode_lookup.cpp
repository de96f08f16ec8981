// Lookups over the generated Unicode tables.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/src/text/unicode_data.h"

namespace platform::text {

namespace {

struct PairKey {
  std::uint32_t key;  // first << 16 | second
  char16_t composed;
};

// Composition is searched by (base, mark), the generated table is sorted by the composed
// character; a second index sorted by pair answers compose() in O(log n).
const std::vector<PairKey>& composition_index() {
  static const std::vector<PairKey> index = [] {
    std::vector<PairKey> v;
    v.reserve(kCanonicalPairCount);
    for (std::size_t i = 0; i < kCanonicalPairCount; ++i) {
      const auto& p = kCanonicalPairs[i];
      v.push_back({(std::uint32_t{p.first} << 16) | p.second, p.composed});
    }
    std::sort(v.begin(), v.end(), [](const PairKey& a, const PairKey& b) {
      return a.key < b.key || (a.key == b.key && a.composed < b.composed);
    });
    // Should two characters share a decomposition, the lower code point wins.
    v.erase(std::unique(v.begin(), v.end(), [](const PairKey& a, const PairKey& b) { return a.key == b.key; }),
            v.end());
    return v;
  }();
  return index;
}

}  // namespace

bool is_nonspacing(char16_t c) {
  if (c < 0x0300) return false;
  const CodeRange* end = kNonspacingRanges + kNonspacingRangeCount;
  const CodeRange* it =
      std::upper_bound(kNonspacingRanges, end, c, [](char16_t v, const CodeRange& r) { return v < r.lo; });
  return it != kNonspacingRanges && c <= (it - 1)->hi;
}

char16_t compose(char16_t base, char16_t mark) {
  const auto& index = composition_index();
  const std::uint32_t key = (std::uint32_t{base} << 16) | mark;
  const auto it =
      std::lower_bound(index.begin(), index.end(), key, [](const PairKey& p, std::uint32_t k) { return p.key < k; });
  return it != index.end() && it->key == key ? it->composed : char16_t{0};
}

bool decompose(char16_t c, char16_t& first, char16_t& second) {
  const CanonicalPair* end = kCanonicalPairs + kCanonicalPairCount;
  const CanonicalPair* it =
      std::lower_bound(kCanonicalPairs, end, c, [](const CanonicalPair& p, char16_t v) { return p.composed < v; });
  if (it == end || it->composed != c) return false;
  first = it->first;
  second = it->second;
  return true;
}

char16_t best_fit_base(char16_t c) {
  const BestFitBase* end = kBestFitBases + kBestFitBaseCount;
  const BestFitBase* it =
      std::lower_bound(kBestFitBases, end, c, [](const BestFitBase& p, char16_t v) { return p.ch < v; });
  return it != end && it->ch == c ? it->base : char16_t{0};
}

}  // namespace platform::text
