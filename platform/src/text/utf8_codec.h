// UTF-8 <-> UTF-16 transcoding loops shared by the Win32 functions and the C++ conversions.
// Ill-formed UTF-8 is replaced one maximal subpart at a time, as Windows does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace platform::text {

// Writes into a bounded buffer; once full, further output only counts as overflow.
template <class Unit>
struct BoundedSink {
  Unit* dst;
  std::size_t cap;
  std::size_t len = 0;
  bool overflow = false;
  void put(Unit u) {
    if (len < cap)
      dst[len++] = u;
    else
      overflow = true;
  }
};

// Only counts.
template <class Unit>
struct CountingSink {
  std::size_t len = 0;
  bool overflow = false;
  void put(Unit) { ++len; }
};

// Writes into a buffer known to be large enough.
template <class Unit>
struct UncheckedSink {
  Unit* dst;
  std::size_t len = 0;
  bool overflow = false;
  void put(Unit u) { dst[len++] = u; }
};

inline bool is_high_surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool is_low_surrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
inline bool is_surrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Decodes UTF-8. With `strict`, stops at the first ill-formed sequence and returns false.
template <class Sink>
bool utf8_to_utf16(const char* text, std::size_t n, bool strict, Sink& sink) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  std::size_t i = 0;
  while (i < n) {
    // ASCII runs go eight bytes at a time.
    while (i + 8 <= n) {
      std::uint64_t word;
      std::memcpy(&word, s + i, 8);
      if (word & 0x8080808080808080ull) break;
      for (int k = 0; k < 8; ++k) sink.put(static_cast<char16_t>(s[i + k]));
      i += 8;
    }
    if (i >= n) break;
    const unsigned char b0 = s[i];
    if (b0 < 0x80) {
      sink.put(b0);
      ++i;
      continue;
    }
    int need;
    std::uint32_t cp;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      need = 1;
      cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      need = 2;
      cp = b0 & 0x0F;
      if (b0 == 0xE0) lo = 0xA0;  // overlong
      if (b0 == 0xED) hi = 0x9F;  // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      need = 3;
      cp = b0 & 0x07;
      if (b0 == 0xF0) lo = 0x90;  // overlong
      if (b0 == 0xF4) hi = 0x8F;  // beyond U+10FFFF
    } else {
      if (strict) return false;
      sink.put(u'\xFFFD');
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < need; ++k, ++j) {
      const unsigned char lo_k = k == 0 ? lo : 0x80, hi_k = k == 0 ? hi : 0xBF;
      if (j >= n || s[j] < lo_k || s[j] > hi_k) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (s[j] & 0x3F);
    }
    if (!ok) {
      if (strict) return false;
      sink.put(u'\xFFFD');  // the maximal subpart [i, j) is one replacement
      i = j;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      sink.put(static_cast<char16_t>(0xD800 + (cp >> 10)));
      sink.put(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      sink.put(static_cast<char16_t>(cp));
    }
    i = j;
  }
  return true;
}

// Encodes UTF-16. A lone surrogate becomes U+FFFD, or with `strict` stops the conversion
// (false). `replaced` tells whether a replacement was made.
template <class Sink>
bool utf16_to_utf8(const char16_t* s, std::size_t n, bool strict, Sink& sink, bool& replaced) {
  std::size_t i = 0;
  while (i < n) {
    while (i + 4 <= n) {
      std::uint64_t word;
      std::memcpy(&word, s + i, 8);
      if (word & 0xFF80FF80FF80FF80ull) break;
      for (int k = 0; k < 4; ++k) sink.put(static_cast<char>(s[i + k]));
      i += 4;
    }
    if (i >= n) break;
    std::uint32_t c = s[i++];
    if (c < 0x80) {
      sink.put(static_cast<char>(c));
    } else if (c < 0x800) {
      sink.put(static_cast<char>(0xC0 | (c >> 6)));
      sink.put(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      if (is_surrogate(static_cast<char16_t>(c))) {
        if (is_high_surrogate(static_cast<char16_t>(c)) && i < n && is_low_surrogate(s[i])) {
          const std::uint32_t cp = 0x10000 + ((c - 0xD800) << 10) + (s[i++] - 0xDC00u);
          sink.put(static_cast<char>(0xF0 | (cp >> 18)));
          sink.put(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
          sink.put(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
          sink.put(static_cast<char>(0x80 | (cp & 0x3F)));
          continue;
        }
        if (strict) return false;
        replaced = true;
        c = 0xFFFD;
      }
      sink.put(static_cast<char>(0xE0 | (c >> 12)));
      sink.put(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      sink.put(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return true;
}

}  // namespace platform::text
