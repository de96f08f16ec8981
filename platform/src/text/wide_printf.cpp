// swprintf_s and relatives: the CRT's buffer rules around the shared formatting engine.
#include <cerrno>
#include <climits>

#include "platform/src/text/wide_format.h"
#include "platform/wide_crt.h"

namespace {

// Formats into `out`; false when the format is null.
bool format(std::u16string& out, const WCHAR* fmt, va_list args) {
  if (!fmt) return false;
  platform::text::VaListReader reader(args);
  platform::text::format_wide(out, fmt, reader, {});
  return true;
}

int as_result(std::size_t length) { return length > INT_MAX ? -1 : static_cast<int>(length); }

}  // namespace

int vswprintf_s(WCHAR* buffer, std::size_t count, const WCHAR* fmt, va_list args) {
  if (!buffer || count == 0) {
    errno = EINVAL;
    return -1;
  }
  std::u16string out;
  if (!format(out, fmt, args)) {
    buffer[0] = 0;
    errno = EINVAL;
    return -1;
  }
  if (out.size() + 1 > count) {
    buffer[0] = 0;
    errno = ERANGE;
    return -1;
  }
  out.copy(buffer, out.size());
  buffer[out.size()] = 0;
  return as_result(out.size());
}

int swprintf_s(WCHAR* buffer, std::size_t count, const WCHAR* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  const int result = vswprintf_s(buffer, count, fmt, args);
  va_end(args);
  return result;
}

int _vsnwprintf_s(WCHAR* buffer, std::size_t size, std::size_t count, const WCHAR* fmt, va_list args) {
  if (!buffer && size == 0 && count == 0) return 0;
  if (!buffer || size == 0) {
    errno = EINVAL;
    return -1;
  }
  std::u16string out;
  if (!format(out, fmt, args)) {
    buffer[0] = 0;
    errno = EINVAL;
    return -1;
  }
  if (count == _TRUNCATE) {
    const std::size_t written = out.size() < size ? out.size() : size - 1;
    out.copy(buffer, written);
    buffer[written] = 0;
    return written == out.size() ? as_result(written) : -1;
  }
  const std::size_t written = out.size() < count ? out.size() : count;
  if (written + 1 > size) {
    buffer[0] = 0;
    errno = ERANGE;
    return -1;
  }
  out.copy(buffer, written);
  buffer[written] = 0;
  return written == out.size() ? as_result(written) : -1;
}

int _snwprintf_s(WCHAR* buffer, std::size_t size, std::size_t count, const WCHAR* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  const int result = _vsnwprintf_s(buffer, size, count, fmt, args);
  va_end(args);
  return result;
}

int _vscwprintf(const WCHAR* fmt, va_list args) {
  std::u16string out;
  if (!format(out, fmt, args)) {
    errno = EINVAL;
    return -1;
  }
  return as_result(out.size());
}
