// The CRT's wide-string functions on WCHAR.
#include "platform/wide_crt.h"

#include <cerrno>
#include <climits>

#include "platform/src/text/case_mapping.h"

using platform::text::ascii_lower;
using platform::text::ascii_upper;

std::size_t wcslen(const WCHAR* str) { return std::char_traits<char16_t>::length(str); }

int wcscmp(const WCHAR* a, const WCHAR* b) {
  for (;; ++a, ++b) {
    if (*a != *b) return *a < *b ? -1 : 1;
    if (!*a) return 0;
  }
}

int wcsncmp(const WCHAR* a, const WCHAR* b, std::size_t count) {
  for (; count; --count, ++a, ++b) {
    if (*a != *b) return *a < *b ? -1 : 1;
    if (!*a) return 0;
  }
  return 0;
}

const WCHAR* wcschr(const WCHAR* str, WCHAR c) {
  for (;; ++str) {
    if (*str == c) return str;
    if (!*str) return nullptr;
  }
}
WCHAR* wcschr(WCHAR* str, WCHAR c) { return const_cast<WCHAR*>(wcschr(static_cast<const WCHAR*>(str), c)); }

const WCHAR* wcsrchr(const WCHAR* str, WCHAR c) {
  const WCHAR* found = nullptr;
  for (;; ++str) {
    if (*str == c) found = str;
    if (!*str) return found;
  }
}
WCHAR* wcsrchr(WCHAR* str, WCHAR c) { return const_cast<WCHAR*>(wcsrchr(static_cast<const WCHAR*>(str), c)); }

const WCHAR* wcsstr(const WCHAR* str, const WCHAR* search) {
  const std::u16string_view haystack(str), needle(search);
  const std::size_t at = haystack.find(needle);
  return at == std::u16string_view::npos ? nullptr : str + at;
}
WCHAR* wcsstr(WCHAR* str, const WCHAR* search) {
  return const_cast<WCHAR*>(wcsstr(static_cast<const WCHAR*>(str), search));
}

errno_t wcscpy_s(WCHAR* dest, std::size_t size, const WCHAR* src) {
  if (!dest || size == 0) return EINVAL;
  if (!src) {
    dest[0] = 0;
    return EINVAL;
  }
  for (std::size_t k = 0; k < size; ++k) {
    dest[k] = src[k];
    if (!src[k]) return 0;
  }
  dest[0] = 0;
  return ERANGE;
}

errno_t wcsncpy_s(WCHAR* dest, std::size_t size, const WCHAR* src, std::size_t count) {
  if (count == 0 && !dest && size == 0) return 0;
  if (!dest || size == 0) return EINVAL;
  if (count == 0) {
    dest[0] = 0;
    return 0;
  }
  if (!src) {
    dest[0] = 0;
    return EINVAL;
  }
  std::size_t k = 0;
  for (; k < count && src[k]; ++k) {
    if (k + 1 >= size) {  // no room left for the terminator
      if (count == _TRUNCATE) {
        dest[k] = 0;
        return STRUNCATE;
      }
      dest[0] = 0;
      return ERANGE;
    }
    dest[k] = src[k];
  }
  dest[k] = 0;
  return 0;
}

errno_t wcscat_s(WCHAR* dest, std::size_t size, const WCHAR* src) {
  if (!dest || size == 0) return EINVAL;
  if (!src) {
    dest[0] = 0;
    return EINVAL;
  }
  std::size_t end = 0;
  while (end < size && dest[end]) ++end;
  if (end == size) {  // destination not terminated
    dest[0] = 0;
    return EINVAL;
  }
  for (std::size_t k = 0; end + k < size; ++k) {
    dest[end + k] = src[k];
    if (!src[k]) return 0;
  }
  dest[0] = 0;
  return ERANGE;
}

int _wcsicmp(const WCHAR* a, const WCHAR* b) {
  for (;; ++a, ++b) {
    const WCHAR x = ascii_lower(*a), y = ascii_lower(*b);
    if (x != y) return static_cast<int>(x) - static_cast<int>(y);
    if (!x) return 0;
  }
}

int _wcsnicmp(const WCHAR* a, const WCHAR* b, std::size_t count) {
  for (; count; --count, ++a, ++b) {
    const WCHAR x = ascii_lower(*a), y = ascii_lower(*b);
    if (x != y) return static_cast<int>(x) - static_cast<int>(y);
    if (!x) return 0;
  }
  return 0;
}

WCHAR* _wcslwr(WCHAR* str) {
  for (WCHAR* p = str; p && *p; ++p) *p = ascii_lower(*p);
  return str;
}

WCHAR* _wcsupr(WCHAR* str) {
  for (WCHAR* p = str; p && *p; ++p) *p = ascii_upper(*p);
  return str;
}

namespace {

template <class Map>
errno_t map_in_place(WCHAR* str, std::size_t size, Map map) {
  if (!str) return EINVAL;
  std::size_t len = 0;
  while (len < size && str[len]) ++len;
  if (len == size) {  // not terminated within the buffer
    if (size) str[0] = 0;
    return EINVAL;
  }
  for (std::size_t k = 0; k < len; ++k) str[k] = map(str[k]);
  return 0;
}

std::int64_t parse_decimal(const WCHAR* str, std::int64_t low, std::int64_t high) {
  if (!str) {
    errno = EINVAL;
    return 0;
  }
  while (*str == u' ' || (*str >= u'\t' && *str <= u'\r')) ++str;
  bool negative = false;
  if (*str == u'+' || *str == u'-') negative = *str++ == u'-';
  std::int64_t value = 0;
  bool overflow = false;
  for (; *str >= u'0' && *str <= u'9'; ++str) {
    value = value * 10 + (*str - u'0');
    if (value > high + 1) {  // keep the sum bounded; the exact excess does not matter
      overflow = true;
      value = high + 1;
    }
  }
  if (negative) value = -value;
  if (overflow || value > high || value < low) {
    errno = ERANGE;
    return negative ? low : high;
  }
  return value;
}

}  // namespace

errno_t _wcslwr_s(WCHAR* str, std::size_t size) { return map_in_place(str, size, ascii_lower); }
errno_t _wcsupr_s(WCHAR* str, std::size_t size) { return map_in_place(str, size, ascii_upper); }

int _wtoi(const WCHAR* str) { return static_cast<int>(parse_decimal(str, INT_MIN, INT_MAX)); }
LONG _wtol(const WCHAR* str) { return static_cast<LONG>(parse_decimal(str, INT32_MIN, INT32_MAX)); }
