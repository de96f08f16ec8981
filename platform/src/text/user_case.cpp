// CharLowerW, CharUpperW and their buffer forms: Unicode simple case mapping.
#include "platform/src/text/case_mapping.h"
#include "platform/winuser_text.h"

namespace {

// A pointer value below 0x10000 is a character passed by value, as on Windows.
LPWSTR map_string_or_char(LPWSTR text, const char16_t* table) {
  const auto value = reinterpret_cast<std::uintptr_t>(text);
  if (value >> 16 == 0) return reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(table[value]));
  for (WCHAR* p = text; *p; ++p) *p = table[*p];
  return text;
}

DWORD map_buffer(LPWSTR text, DWORD length, const char16_t* table) {
  if (!text) return 0;
  for (DWORD k = 0; k < length; ++k) text[k] = table[text[k]];
  return length;
}

}  // namespace

extern "C" LPWSTR WINAPI CharLowerW(LPWSTR lpsz) {
  return map_string_or_char(lpsz, platform::text::case_tables().lower);
}

extern "C" LPWSTR WINAPI CharUpperW(LPWSTR lpsz) {
  return map_string_or_char(lpsz, platform::text::case_tables().upper);
}

extern "C" DWORD WINAPI CharLowerBuffW(LPWSTR lpsz, DWORD cchLength) {
  return map_buffer(lpsz, cchLength, platform::text::case_tables().lower);
}

extern "C" DWORD WINAPI CharUpperBuffW(LPWSTR lpsz, DWORD cchLength) {
  return map_buffer(lpsz, cchLength, platform::text::case_tables().upper);
}
