// wsprintfW: the user32 formatter, with its 1024-character buffer limit and no reals.
#include "platform/src/text/wide_format.h"
#include "platform/winuser_text.h"

namespace {
constexpr std::size_t kBufferLimit = 1024;
}

extern "C" int WINAPI wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list args) {
  if (!buffer || !format) return 0;
  platform::text::VaListReader reader(args);
  std::u16string out;
  platform::text::format_wide(out, format, reader, {platform::text::NarrowTextCode::Ansi, false});
  const std::size_t written = out.size() < kBufferLimit ? out.size() : kBufferLimit - 1;
  out.copy(buffer, written);
  buffer[written] = 0;
  return static_cast<int>(written);
}

extern "C" int WINAPIV wsprintfW(LPWSTR buffer, LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  const int result = wvsprintfW(buffer, format, args);
  va_end(args);
  return result;
}
