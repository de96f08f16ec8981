// WideCharToMultiByte: argument checks, code-page dispatch, default characters and
// buffer-size semantics.
#include <bit>
#include <climits>

#include "platform/src/text/code_page_codec.h"
#include "platform/winerror.h"

namespace {

int fail(LONG error) {
  SetLastError(static_cast<DWORD>(error));
  return 0;
}

bool valid_flags(const platform::text::CodePageTable* table, DWORD flags) {
  if (!table) return (flags & ~DWORD{WC_ERR_INVALID_CHARS}) == 0;
  if (flags & ~DWORD{WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS})
    return false;
  return std::popcount(flags & DWORD{WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR}) <= 1;
}

platform::text::DefaultChar default_char(const platform::text::CodePageTable& table, LPCSTR given) {
  platform::text::DefaultChar d;
  if (!given) return d;
  d.bytes[0] = given[0];
  if (table.double_byte && table.lead_byte.test(static_cast<unsigned char>(given[0])) && given[1]) {
    d.bytes[1] = given[1];
    d.length = 2;
  }
  return d;
}

template <class Sink>
bool encode(const platform::text::CodePageTable* table, DWORD flags, LPCWSTR s, std::size_t n,
            const platform::text::DefaultChar& d, Sink& sink, bool& used_default) {
  if (!table) return platform::text::utf16_to_utf8(s, n, flags & WC_ERR_INVALID_CHARS, sink, used_default);
  platform::text::encode_code_page(*table, flags, s, n, d, sink, used_default);
  return true;
}

}  // namespace

extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                          LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                                          LPBOOL lpUsedDefaultChar) {
  using namespace platform::text;
  if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
      (cbMultiByte > 0 && !lpMultiByteStr) ||
      static_cast<const void*>(lpWideCharStr) == static_cast<const void*>(lpMultiByteStr))
    return fail(ERROR_INVALID_PARAMETER);
  const UINT code_page = resolve_code_page(CodePage);
  const CodePageTable* table = nullptr;
  if (code_page == CP_UTF8) {
    if (lpDefaultChar || lpUsedDefaultChar) return fail(ERROR_INVALID_PARAMETER);
  } else if (!(table = code_page_table(code_page))) {
    return fail(ERROR_INVALID_PARAMETER);
  }
  if (!valid_flags(table, dwFlags)) return fail(ERROR_INVALID_FLAGS);

  std::size_t n = static_cast<std::size_t>(cchWideChar);
  if (cchWideChar == -1) {
    n = 0;
    while (lpWideCharStr[n]) ++n;
    ++n;
  }
  const DefaultChar d = table ? default_char(*table, lpDefaultChar) : DefaultChar{};
  bool used_default = false;
  std::size_t length;
  if (cbMultiByte == 0) {
    CountingSink<char> counter;
    if (!encode(table, dwFlags, lpWideCharStr, n, d, counter, used_default)) return fail(ERROR_NO_UNICODE_TRANSLATION);
    if (counter.len > INT_MAX) return fail(ERROR_INSUFFICIENT_BUFFER);
    length = counter.len;
  } else {
    BoundedSink<char> out{lpMultiByteStr, static_cast<std::size_t>(cbMultiByte)};
    if (!encode(table, dwFlags, lpWideCharStr, n, d, out, used_default)) return fail(ERROR_NO_UNICODE_TRANSLATION);
    if (out.overflow) return fail(ERROR_INSUFFICIENT_BUFFER);
    length = out.len;
  }
  if (lpUsedDefaultChar) *lpUsedDefaultChar = used_default ? TRUE : FALSE;
  return static_cast<int>(length);
}
