// MultiByteToWideChar: argument checks, code-page dispatch and buffer-size semantics.
#include <climits>
#include <cstring>

#include "platform/src/text/code_page_codec.h"
#include "platform/winerror.h"

namespace {

int fail(LONG error) {
  SetLastError(static_cast<DWORD>(error));
  return 0;
}

template <class Sink>
bool decode(const platform::text::CodePageTable* table, DWORD flags, const char* s, std::size_t n, Sink& sink) {
  if (!table) return platform::text::utf8_to_utf16(s, n, flags & MB_ERR_INVALID_CHARS, sink);
  return platform::text::decode_code_page(*table, flags, s, n, sink);
}

bool valid_flags(const platform::text::CodePageTable* table, DWORD flags) {
  if (!table) return (flags & ~DWORD{MB_ERR_INVALID_CHARS}) == 0;
  if (flags & ~DWORD{MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS}) return false;
  return (flags & (MB_PRECOMPOSED | MB_COMPOSITE)) != (MB_PRECOMPOSED | MB_COMPOSITE);
}

}  // namespace

extern "C" int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                                          LPWSTR lpWideCharStr, int cchWideChar) {
  using namespace platform::text;
  if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
      (cchWideChar > 0 && !lpWideCharStr) ||
      static_cast<const void*>(lpMultiByteStr) == static_cast<const void*>(lpWideCharStr))
    return fail(ERROR_INVALID_PARAMETER);
  const UINT code_page = resolve_code_page(CodePage);
  const CodePageTable* table = nullptr;
  if (code_page != CP_UTF8 && !(table = code_page_table(code_page))) return fail(ERROR_INVALID_PARAMETER);
  if (!valid_flags(table, dwFlags)) return fail(ERROR_INVALID_FLAGS);

  const std::size_t n = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
  if (cchWideChar == 0) {
    CountingSink<char16_t> counter;
    if (!decode(table, dwFlags, lpMultiByteStr, n, counter)) return fail(ERROR_NO_UNICODE_TRANSLATION);
    if (counter.len > INT_MAX) return fail(ERROR_INSUFFICIENT_BUFFER);
    return static_cast<int>(counter.len);
  }
  BoundedSink<char16_t> out{lpWideCharStr, static_cast<std::size_t>(cchWideChar)};
  if (!decode(table, dwFlags, lpMultiByteStr, n, out)) return fail(ERROR_NO_UNICODE_TRANSLATION);
  if (out.overflow) return fail(ERROR_INSUFFICIENT_BUFFER);
  return static_cast<int>(out.len);
}
