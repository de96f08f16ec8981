// lstrcmpW, lstrcmpiW and the other lstr functions.
#include "platform/src/text/case_mapping.h"
#include "platform/winuser_text.h"

namespace {

int compare_words(LPCWSTR a, LPCWSTR b, bool ignore_case) {
  if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
  const auto& t = platform::text::case_tables();
  std::size_t k = 0;
  for (; a[k] && b[k]; ++k) {
    const char16_t x = a[k], y = b[k];
    if (t.sort_class[x] != t.sort_class[y]) return t.sort_class[x] < t.sort_class[y] ? -1 : 1;
    if (t.lower[x] != t.lower[y]) return t.lower[x] < t.lower[y] ? -1 : 1;
  }
  if (a[k] || b[k]) return a[k] ? 1 : -1;
  if (ignore_case) return 0;
  for (k = 0; a[k]; ++k) {
    if (a[k] != b[k]) return a[k] == t.lower[a[k]] ? -1 : 1;
  }
  return 0;
}

}  // namespace

extern "C" int WINAPI lstrcmpW(LPCWSTR lpString1, LPCWSTR lpString2) {
  return compare_words(lpString1, lpString2, false);
}

extern "C" int WINAPI lstrcmpiW(LPCWSTR lpString1, LPCWSTR lpString2) {
  return compare_words(lpString1, lpString2, true);
}

extern "C" int WINAPI lstrlenW(LPCWSTR lpString) {
  if (!lpString) return 0;
  int n = 0;
  while (lpString[n]) ++n;
  return n;
}

extern "C" LPWSTR WINAPI lstrcpynW(LPWSTR lpString1, LPCWSTR lpString2, int iMaxLength) {
  if (!lpString1 || !lpString2) return nullptr;
  if (iMaxLength <= 0) return lpString1;
  int k = 0;
  for (; k < iMaxLength - 1 && lpString2[k]; ++k) lpString1[k] = lpString2[k];
  lpString1[k] = 0;
  return lpString1;
}
