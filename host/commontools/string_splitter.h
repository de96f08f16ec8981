// Splits a text into its parts at a separator character, as in format pattern lists
// ("*.jpg;*.jpeg") and the host's "|"-separated lists.
//
// A separator at the very end closes the last part instead of opening an empty one
// ("*.jpg;*.jpeg;" has two parts); separators next to each other, or one at the start, give
// empty parts, so positions in a list stay where they were written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/commontools/export.h"
#include "platform/windef.h"

class CTGCOMMONTOOLS_API ZEBStringSplitter {
 public:
  ZEBStringSplitter() = default;

  // Replaces the parts. Fails, keeping the previous parts, for a null text or a NUL separator.
  // An empty text succeeds with no parts.
  [[nodiscard]] bool split(const WCHAR* text, WCHAR separator);
  [[nodiscard]] bool split(std::u16string_view text, WCHAR separator);

  int size() const noexcept { return static_cast<int>(parts_.size()); }
  // The part's text, valid until the next split or the splitter's end; null when out of range.
  const WCHAR* pelement(int index) const noexcept;

 private:
  std::vector<std::u16string> parts_;
};
