// BSTR allocation. A block holds 4 bytes of padding (so the text is 8-byte aligned), the
// 4-byte byte count, the text and zero bytes after it: two are the terminator, the third keeps
// an odd byte-length string terminated when read as UTF-16 as well.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/oleauto.h"

namespace {

constexpr std::size_t kHeader = 8;
constexpr std::size_t kTrailer = 3;

DWORD& byte_count(BSTR b) { return reinterpret_cast<DWORD*>(b)[-1]; }
void* block_of(BSTR b) { return reinterpret_cast<char*>(b) - kHeader; }

// `bytes` of text, copied from `src` when given, zero-filled otherwise.
BSTR allocate(const void* src, UINT bytes) {
  if (bytes > UINT_MAX - kHeader - kTrailer - 1) return nullptr;
  auto* block = static_cast<char*>(std::malloc(kHeader + bytes + kTrailer));
  if (!block) return nullptr;
  auto* b = reinterpret_cast<BSTR>(block + kHeader);
  byte_count(b) = bytes;
  char* text = block + kHeader;
  if (src)
    std::memcpy(text, src, bytes);
  else
    std::memset(text, 0, bytes);
  std::memset(text + bytes, 0, kTrailer);
  return b;
}

UINT length_of(const OLECHAR* s) {
  UINT n = 0;
  while (s[n]) ++n;
  return n;
}

}  // namespace

STDAPI_(BSTR) SysAllocString(const OLECHAR* psz) {
  if (!psz) return nullptr;
  return SysAllocStringLen(psz, length_of(psz));
}

STDAPI_(BSTR) SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
  if (ui > UINT_MAX / sizeof(OLECHAR)) return nullptr;
  return allocate(strIn, ui * static_cast<UINT>(sizeof(OLECHAR)));
}

STDAPI_(BSTR) SysAllocStringByteLen(LPCSTR psz, UINT len) { return allocate(psz, len); }

STDAPI_(INT) SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
  if (!pbstr) return FALSE;
  BSTR fresh = nullptr;
  if (psz) {
    fresh = SysAllocString(psz);  // before freeing: psz may point into *pbstr
    if (!fresh) return FALSE;
  }
  SysFreeString(*pbstr);
  *pbstr = fresh;
  return TRUE;
}

// Without a source the old text is kept as far as it reaches, as a reallocation would.
STDAPI_(INT) SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len) {
  if (!pbstr) return FALSE;
  BSTR fresh = SysAllocStringLen(psz, len);
  if (!fresh) return FALSE;
  if (!psz && *pbstr) {
    const UINT keep = SysStringByteLen(*pbstr) < len * sizeof(OLECHAR) ? SysStringByteLen(*pbstr)
                                                                         : len * static_cast<UINT>(sizeof(OLECHAR));
    std::memcpy(fresh, *pbstr, keep);
  }
  SysFreeString(*pbstr);
  *pbstr = fresh;
  return TRUE;
}

STDAPI_(void) SysFreeString(BSTR bstrString) {
  if (bstrString) std::free(block_of(bstrString));
}

STDAPI_(UINT) SysStringLen(BSTR pbstr) { return pbstr ? byte_count(pbstr) / sizeof(OLECHAR) : 0; }

STDAPI_(UINT) SysStringByteLen(BSTR bstr) { return bstr ? byte_count(bstr) : 0; }
