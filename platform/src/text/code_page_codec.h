// Conversion loops between a table code page and UTF-16, written once for every output sink
// (counting, bounded buffer, string).
#pragma once

#include <cstddef>

#include "platform/src/text/code_page_table.h"
#include "platform/src/text/unicode_data.h"
#include "platform/src/text/utf8_codec.h"
#include "platform/winnls.h"

namespace platform::text {

// OEM code pages show control bytes as these symbols with MB_USEGLYPHCHARS (0x7F is the house).
inline constexpr char16_t kOemGlyphs[32] = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
    0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};

template <class Sink>
void put_decomposed(char16_t c, Sink& sink) {
  char16_t first, second;
  if (decompose(c, first, second)) {
    put_decomposed(first, sink);
    sink.put(second);
  } else {
    sink.put(c);
  }
}

// Decodes `n` bytes. Undecodable input is the code page's default character, or with
// MB_ERR_INVALID_CHARS ends the conversion (false).
template <class Sink>
bool decode_code_page(const CodePageTable& t, DWORD flags, const char* text, std::size_t n, Sink& sink) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  const bool strict = flags & MB_ERR_INVALID_CHARS;
  const bool composite = flags & MB_COMPOSITE;
  const bool glyphs = (flags & MB_USEGLYPHCHARS) && (t.code_page == 437 || t.code_page == 850);
  for (std::size_t i = 0; i < n;) {
    const unsigned char b = s[i];
    char16_t c;
    if (t.lead_byte.test(b)) {
      if (i + 1 < n && t.pair[(b << 8) | s[i + 1]]) {
        c = t.pair[(b << 8) | s[i + 1]];
        i += 2;
      } else {
        if (strict) return false;
        c = t.unicode_default;
        // A trail byte that cannot belong to a pair is read again on its own.
        i += (i + 1 < n && s[i + 1] >= 0x40) ? 2 : 1;
      }
    } else if (t.single_valid.test(b)) {
      c = t.single[b];
      if (glyphs && (b < 0x20 || b == 0x7F) && b != 0) c = b == 0x7F ? char16_t{0x2302} : kOemGlyphs[b];
      ++i;
    } else {
      if (strict) return false;
      c = t.unicode_default;
      ++i;
    }
    if (composite)
      put_decomposed(c, sink);
    else
      sink.put(c);
  }
  return true;
}

struct DefaultChar {
  char bytes[2] = {'?', 0};
  int length = 1;
};

template <class Sink>
void put_code(std::uint16_t value, Sink& sink) {
  if (value > 0xFF) sink.put(static_cast<char>(value >> 8));
  sink.put(static_cast<char>(value & 0xFF));
}

template <class Sink>
void put_default(const DefaultChar& d, Sink& sink, bool& used_default) {
  for (int k = 0; k < d.length; ++k) sink.put(d.bytes[k]);
  used_default = true;
}

// The code for `c` under `flags`, or kUnmapped.
inline std::uint16_t encode_one(const CodePageTable& t, DWORD flags, char16_t c) {
  const std::uint16_t v = t.encode[c];
  if (v != CodePageTable::kUnmapped && (flags & WC_NO_BEST_FIT_CHARS) && t.best_fit.test(c))
    return CodePageTable::kUnmapped;
  return v;
}

// Encodes `n` UTF-16 units. Never fails: what does not convert becomes the default character;
// a surrogate pair is one character and so one default character.
template <class Sink>
void encode_code_page(const CodePageTable& t, DWORD flags, const char16_t* s, std::size_t n,
                      const DefaultChar& default_char, Sink& sink, bool& used_default) {
  const bool composite_check = flags & WC_COMPOSITECHECK;
  for (std::size_t i = 0; i < n;) {
    const char16_t c = s[i];
    if (is_surrogate(c)) {
      i += (is_high_surrogate(c) && i + 1 < n && is_low_surrogate(s[i + 1])) ? 2 : 1;
      put_default(default_char, sink, used_default);
      continue;
    }
    if (composite_check && i + 1 < n && is_nonspacing(s[i + 1])) {
      char16_t composed = c;
      std::size_t j = i + 1;
      while (j < n && is_nonspacing(s[j])) {
        const char16_t next = compose(composed, s[j]);
        if (!next) break;
        composed = next;
        ++j;
      }
      if (j > i + 1 && t.encode[composed] != CodePageTable::kUnmapped && !t.best_fit.test(composed)) {
        put_code(t.encode[composed], sink);
        i = j;
        continue;
      }
      // No precomposed form in this code page: WC_SEPCHARS (the default) goes on with the
      // characters one by one; the others consume the marks here.
      if (flags & (WC_DISCARDNS | WC_DEFAULTCHAR)) {
        if (flags & WC_DEFAULTCHAR) {
          put_default(default_char, sink, used_default);
        } else {
          const std::uint16_t v = encode_one(t, flags, c);
          if (v == CodePageTable::kUnmapped)
            put_default(default_char, sink, used_default);
          else
            put_code(v, sink);
        }
        for (i = i + 1; i < n && is_nonspacing(s[i]);) ++i;
        continue;
      }
    }
    const std::uint16_t v = encode_one(t, flags, c);
    if (v == CodePageTable::kUnmapped)
      put_default(default_char, sink, used_default);
    else
      put_code(v, sink);
    ++i;
  }
}

}  // namespace platform::text
