// Number text in the invariant conventions.
#include "platform/src/oleauto/number_text.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace platform::oleauto {

namespace {

bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x00A0; }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string widen(const char* s) {
  std::u16string out;
  while (*s) out.push_back(static_cast<char16_t>(*s++));
  return out;
}

}  // namespace

HRESULT parse_number(std::u16string_view text, long double& value) noexcept {
  std::size_t i = 0;
  std::size_t end = text.size();
  while (i < end && is_blank(text[i])) ++i;
  while (end > i && is_blank(text[end - 1])) --end;

  // Rebuilt in ASCII without separators, for strtold.
  char buffer[512];
  std::size_t n = 0;
  auto put = [&](char16_t c) {
    if (n + 1 >= sizeof(buffer)) return false;
    buffer[n++] = static_cast<char>(c);
    return true;
  };
  if (i < end && (text[i] == u'+' || text[i] == u'-')) {
    if (!put(text[i])) return DISP_E_TYPEMISMATCH;
    ++i;
  }
  std::size_t digits = 0;
  bool leading = true;  // leading zeros are dropped, so only real magnitude fills the buffer
  while (i < end && (is_digit(text[i]) || (text[i] == u',' && digits > 0))) {
    if (text[i] != u',') {
      ++digits;
      if (!(leading && text[i] == u'0')) {
        leading = false;
        if (!put(text[i])) return DISP_E_OVERFLOW;  // hundreds of digits: beyond any double
      }
    }
    ++i;
  }
  if (leading && !put(u'0')) return DISP_E_TYPEMISMATCH;
  if (i < end && text[i] == u'.') {
    if (!put(u'.')) return DISP_E_TYPEMISMATCH;
    ++i;
    while (i < end && is_digit(text[i])) {
      (void)put(text[i]);  // digits past the buffer are past any precision too
      ++digits;
      ++i;
    }
  }
  if (digits == 0) return DISP_E_TYPEMISMATCH;
  if (i < end && (text[i] == u'e' || text[i] == u'E')) {
    if (!put(u'E')) return DISP_E_TYPEMISMATCH;
    ++i;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
      if (!put(text[i])) return DISP_E_TYPEMISMATCH;
      ++i;
    }
    if (i == end || !is_digit(text[i])) return DISP_E_TYPEMISMATCH;
    while (i < end && is_digit(text[i])) {
      if (!put(text[i])) return DISP_E_TYPEMISMATCH;
      ++i;
    }
  }
  if (i != end) return DISP_E_TYPEMISMATCH;
  buffer[n] = '\0';

  errno = 0;
  char* stop = nullptr;
  const long double parsed = std::strtold(buffer, &stop);
  if (stop != buffer + n) return DISP_E_TYPEMISMATCH;
  if (std::fabs(parsed) > DBL_MAX) return DISP_E_OVERFLOW;
  value = (errno == ERANGE && std::fabs(parsed) < 1) ? 0.0L : parsed;  // underflow reads as zero
  return S_OK;
}

std::u16string format_signed(LONGLONG value) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%lld", static_cast<long long>(value));
  return widen(buffer);
}

std::u16string format_unsigned(ULONGLONG value) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%llu", static_cast<unsigned long long>(value));
  return widen(buffer);
}

std::u16string format_real(double value, int digits) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%.*G", digits, value);
  return widen(buffer);
}

}  // namespace platform::oleauto
