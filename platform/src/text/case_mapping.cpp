// Case tables from glibc's C.UTF-8 locale, independent of the process locale.
#include "platform/src/text/case_mapping.h"

#include <locale.h>
#include <wctype.h>

#include <memory>

namespace platform::text {

namespace {

std::unique_ptr<CaseTables> build() {
  auto t = std::make_unique<CaseTables>();
  locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  for (std::uint32_t c = 0; c < 0x10000; ++c) {
    const auto ch = static_cast<char16_t>(c);
    t->upper[c] = ascii_upper(ch);
    t->lower[c] = ascii_lower(ch);
    t->sort_class[c] = (c >= '0' && c <= '9') ? 1 : ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') ? 2 : 0;
    if (!loc || (c >= 0xD800 && c <= 0xDFFF)) continue;
    // A mapping that leaves the BMP (none in current Unicode) keeps the character.
    const wint_t up = towupper_l(static_cast<wint_t>(c), loc);
    const wint_t low = towlower_l(static_cast<wint_t>(c), loc);
    if (up < 0x10000) t->upper[c] = static_cast<char16_t>(up);
    if (low < 0x10000) t->lower[c] = static_cast<char16_t>(low);
    if (iswalpha_l(static_cast<wint_t>(c), loc))
      t->sort_class[c] = 2;
    else if (iswalnum_l(static_cast<wint_t>(c), loc))
      t->sort_class[c] = 1;
  }
  if (loc) freelocale(loc);
  return t;
}

}  // namespace

const CaseTables& case_tables() {
  static const std::unique_ptr<CaseTables> tables = build();
  return *tables;
}

}  // namespace platform::text
