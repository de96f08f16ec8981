// Upper-casing follows the C.UTF-8 character tables whatever the process locale is, so that
// name lookups never change with the user's settings.
#include "platform/src/registry/name_compare.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace platform::registry {
namespace {

locale_t case_locale() noexcept {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

char16_t upper(char16_t c) noexcept {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
  // Surrogates stay as they are: each half of a pair compares on its own, as a code unit.
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  const locale_t locale = case_locale();
  const wint_t u = locale ? towupper_l(c, locale) : towupper(c);
  return u <= 0xFFFF ? static_cast<char16_t>(u) : c;
}

}  // namespace

int compare_names(std::u16string_view a, std::u16string_view b) noexcept {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t ua = upper(a[i]);
    const char16_t ub = upper(b[i]);
    if (ua != ub) return ua < ub ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace platform::registry
