// VarBstrCmp and VarBstrCat. A null BSTR is an empty string. The comparison runs over the
// full lengths (embedded zeros included) in code-unit order after case folding, and breaks
// ties that differ only in case with lower case first, the way the linguistic comparison
// orders "a" < "A" < "b". Folding covers Latin, Greek and Cyrillic letters; other scripts
// compare by code unit. Equality is exact unless NORM_IGNORECASE is given.
#include <cstring>

#include "platform/oleauto.h"

namespace {

char16_t fold(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c < 0x00C0) return c;
  if (c <= 0x00DE) return c == 0x00D7 ? c : static_cast<char16_t>(c + 0x20);
  if (c >= 0x0100 && c <= 0x017F) {
    if (c == 0x0130) return u'i';
    if (c == 0x0178) return 0x00FF;
    const bool odd_upper = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
    const bool even_upper = (c <= 0x0137 && c != 0x0131) || (c >= 0x014A && c <= 0x0177);
    if (odd_upper && (c & 1)) return static_cast<char16_t>(c + 1);
    if (even_upper && !(c & 1)) return static_cast<char16_t>(c + 1);
    return c;
  }
  if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) return static_cast<char16_t>(c + 0x20);
  if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 0x20);
  if (c >= 0x0400 && c <= 0x040F) return static_cast<char16_t>(c + 0x50);
  return c;
}

}  // namespace

STDAPI VarBstrCmp(BSTR bstrLeft, BSTR bstrRight, LCID, ULONG dwFlags) {
  const UINT left_length = SysStringLen(bstrLeft);
  const UINT right_length = SysStringLen(bstrRight);
  const UINT common = left_length < right_length ? left_length : right_length;

  for (UINT i = 0; i < common; ++i) {
    const char16_t l = fold(bstrLeft[i]);
    const char16_t r = fold(bstrRight[i]);
    if (l != r) return l < r ? VARCMP_LT : VARCMP_GT;
  }
  if (left_length != right_length) return left_length < right_length ? VARCMP_LT : VARCMP_GT;
  if (dwFlags & NORM_IGNORECASE) return VARCMP_EQ;
  for (UINT i = 0; i < common; ++i) {
    if (bstrLeft[i] != bstrRight[i]) return fold(bstrLeft[i]) == bstrLeft[i] ? VARCMP_LT : VARCMP_GT;
  }
  return VARCMP_EQ;
}

STDAPI VarBstrCat(BSTR bstrLeft, BSTR bstrRight, LPBSTR pbstrResult) {
  if (!pbstrResult) return E_INVALIDARG;
  *pbstrResult = nullptr;
  const UINT left_bytes = SysStringByteLen(bstrLeft);
  const UINT right_bytes = SysStringByteLen(bstrRight);
  if (left_bytes + right_bytes < left_bytes) return E_OUTOFMEMORY;
  BSTR result = SysAllocStringByteLen(nullptr, left_bytes + right_bytes);
  if (!result) return E_OUTOFMEMORY;
  if (left_bytes) std::memcpy(result, bstrLeft, left_bytes);
  if (right_bytes) std::memcpy(reinterpret_cast<char*>(result) + left_bytes, bstrRight, right_bytes);
  *pbstrResult = result;
  return S_OK;
}
