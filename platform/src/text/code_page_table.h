// Conversion tables of one Windows code page (single- or double-byte), built once from glibc
// iconv and shared by every thread.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/windef.h"

namespace platform::text {

struct CodePageTable {
  static constexpr std::uint16_t kUnmapped = 0xFFFF;

  UINT code_page = 0;
  bool double_byte = false;
  char16_t unicode_default = u'?';  // for undecodable bytes
  std::bitset<256> lead_byte;
  std::bitset<256> single_valid;
  char16_t single[256] = {};
  std::vector<char16_t> pair;  // lead << 8 | trail -> character, 0 when invalid (double-byte only)

  // Character -> byte (or lead << 8 | trail); kUnmapped when the code page has no mapping.
  std::vector<std::uint16_t> encode;
  // Set where `encode` holds a best fit, a mapping that does not round-trip.
  std::bitset<0x10000> best_fit;
};

// The tables of a supported code page (after CP_ACP etc. are resolved), or null.
const CodePageTable* code_page_table(UINT code_page);

// Maps CP_ACP, CP_OEMCP and CP_THREAD_ACP onto the process settings; others are unchanged.
UINT resolve_code_page(UINT code_page);

// Whether `code_page` (already resolved) can be converted: UTF-8 or a table code page.
bool is_supported_code_page(UINT code_page);

}  // namespace platform::text
