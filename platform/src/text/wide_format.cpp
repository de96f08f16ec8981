// Parses printf conversions the way the Windows CRT reads them in its wide functions.
#include "platform/src/text/wide_format.h"

#include <cstdio>
#include <string>

#include "platform/winnls.h"

namespace platform::text {

namespace {

enum class Size { None, Short, Byte, Long, LongLong, LongDouble, Pointer };

struct Spec {
  bool left = false, plus = false, space = false, zero = false, alt = false;
  int width = 0;
  int precision = -1;
  Size size = Size::None;
};

void pad(std::u16string& out, std::size_t count, char16_t c) { out.append(count, c); }

// Pads `body` (placed after `prefix`) to the field width.
void emit_field(std::u16string& out, const Spec& spec, std::u16string_view prefix, std::u16string_view body,
                bool zero_padding) {
  const std::size_t len = prefix.size() + body.size();
  const std::size_t fill = spec.width > 0 && static_cast<std::size_t>(spec.width) > len ? spec.width - len : 0;
  if (spec.left) {
    out.append(prefix).append(body);
    pad(out, fill, u' ');
  } else if (zero_padding) {
    out.append(prefix);
    pad(out, fill, u'0');
    out.append(body);
  } else {
    pad(out, fill, u' ');
    out.append(prefix).append(body);
  }
}

void emit_integer(std::u16string& out, const Spec& spec, char16_t conv, bool negative, std::uint64_t magnitude) {
  const unsigned base = conv == u'o' ? 8 : (conv == u'x' || conv == u'X') ? 16 : 10;
  const char* digits_of = conv == u'X' ? "0123456789ABCDEF" : "0123456789abcdef";
  char16_t buffer[32];
  std::size_t pos = sizeof buffer / sizeof buffer[0];
  for (std::uint64_t v = magnitude; v; v /= base) buffer[--pos] = static_cast<char16_t>(digits_of[v % base]);
  std::u16string digits(buffer + pos, buffer + sizeof buffer / sizeof buffer[0]);
  if (spec.precision < 0 && digits.empty()) digits = u"0";
  if (spec.precision > 0 && digits.size() < static_cast<std::size_t>(spec.precision))
    digits.insert(0, spec.precision - digits.size(), u'0');
  std::u16string prefix;
  if (negative)
    prefix = u"-";
  else if ((conv == u'd' || conv == u'i') && spec.plus)
    prefix = u"+";
  else if ((conv == u'd' || conv == u'i') && spec.space)
    prefix = u" ";
  if (spec.alt && magnitude != 0 && base == 16) prefix += conv == u'X' ? u"0X" : u"0x";
  if (spec.alt && base == 8 && (digits.empty() || digits[0] != u'0')) digits.insert(0, 1, u'0');
  emit_field(out, spec, prefix, digits, spec.zero && !spec.left && spec.precision < 0);
}

std::u16string narrow_to_wide(const char* text, std::size_t length, NarrowTextCode code) {
  if (code == NarrowTextCode::Ansi) return platform::widen(std::string_view(text, length), CP_ACP);
  std::u16string out(length, u'\0');
  for (std::size_t k = 0; k < length; ++k) out[k] = static_cast<unsigned char>(text[k]);
  return out;
}

void emit_text(std::u16string& out, const Spec& spec, std::u16string_view text) {
  if (spec.precision >= 0 && text.size() > static_cast<std::size_t>(spec.precision))
    text = text.substr(0, spec.precision);
  emit_field(out, spec, {}, text, spec.zero && !spec.left);
}

bool emit_real(std::u16string& out, const Spec& spec, char16_t conv, long double value, bool long_double) {
  std::string f = "%";
  if (spec.left) f += '-';
  if (spec.plus) f += '+';
  if (spec.space) f += ' ';
  if (spec.zero) f += '0';
  if (spec.alt) f += '#';
  if (spec.width > 0) f += std::to_string(spec.width);
  if (spec.precision >= 0) f += "." + std::to_string(spec.precision);
  if (long_double) f += 'L';
  f += static_cast<char>(conv);
  const int needed = long_double ? std::snprintf(nullptr, 0, f.c_str(), value)
                                 : std::snprintf(nullptr, 0, f.c_str(), static_cast<double>(value));
  if (needed < 0) return false;
  std::string text(static_cast<std::size_t>(needed) + 1, '\0');
  if (long_double)
    std::snprintf(text.data(), text.size(), f.c_str(), value);
  else
    std::snprintf(text.data(), text.size(), f.c_str(), static_cast<double>(value));
  text.resize(static_cast<std::size_t>(needed));
  out.append(text.begin(), text.end());
  return true;
}

bool is_wide(char16_t conv, Size size) {
  // Lower-case conversions are wide in the wide functions, upper-case ones narrow; h and l/w
  // choose explicitly.
  if (size == Size::Short) return false;
  if (size == Size::Long) return true;
  return conv == u's' || conv == u'c';
}

bool is_64(Size size) { return size == Size::LongLong || size == Size::Pointer; }

// Formats one conversion; false when its argument could not be read.
bool convert(std::u16string& out, Spec spec, char16_t conv, ArgReader& args, const FormatOptions& options) {
  ArgValue v;
  switch (conv) {
    case u'd':
    case u'i': {
      if (!args.read(is_64(spec.size) ? ArgKind::Int64 : ArgKind::Int, v)) return false;
      auto value = static_cast<std::int64_t>(v.integer);
      if (spec.size == Size::Short) value = static_cast<std::int16_t>(value);
      if (spec.size == Size::Byte) value = static_cast<std::int8_t>(value);
      const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
      emit_integer(out, spec, conv, value < 0, magnitude);
      return true;
    }
    case u'u':
    case u'o':
    case u'x':
    case u'X': {
      if (!args.read(is_64(spec.size) ? ArgKind::UInt64 : ArgKind::UInt, v)) return false;
      std::uint64_t value = v.integer;
      if (spec.size == Size::Short) value = static_cast<std::uint16_t>(value);
      if (spec.size == Size::Byte) value = static_cast<std::uint8_t>(value);
      emit_integer(out, spec, conv, false, value);
      return true;
    }
    case u'c':
    case u'C': {
      const bool wide = is_wide(conv, spec.size);
      if (!args.read(wide ? ArgKind::WideChar : ArgKind::NarrowChar, v)) return false;
      spec.precision = -1;
      if (wide) {
        const char16_t c = static_cast<char16_t>(v.integer);
        emit_text(out, spec, std::u16string_view(&c, 1));
      } else {
        const char c = static_cast<char>(v.integer);
        emit_text(out, spec, narrow_to_wide(&c, 1, options.narrow));
      }
      return true;
    }
    case u's':
    case u'S': {
      const bool wide = is_wide(conv, spec.size);
      if (!args.read(wide ? ArgKind::WideText : ArgKind::NarrowText, v)) return false;
      if (!v.pointer) {
        emit_text(out, spec, u"(null)");
      } else if (wide) {
        const auto* s = static_cast<const char16_t*>(v.pointer);
        std::size_t len = v.length;
        if (len == static_cast<std::size_t>(-1)) {
          // Never read past the precision: the text need not be terminated then.
          len = 0;
          while ((spec.precision < 0 || len < static_cast<std::size_t>(spec.precision)) && s[len]) ++len;
        }
        emit_text(out, spec, std::u16string_view(s, len));
      } else {
        const auto* s = static_cast<const char*>(v.pointer);
        std::size_t len = v.length;
        if (len == static_cast<std::size_t>(-1)) {
          len = 0;
          while ((spec.precision < 0 || len < static_cast<std::size_t>(spec.precision)) && s[len]) ++len;
        }
        emit_text(out, spec, narrow_to_wide(s, len, options.narrow));
      }
      return true;
    }
    case u'p': {
      if (!args.read(ArgKind::Pointer, v)) return false;
      Spec hex = spec;
      hex.precision = static_cast<int>(sizeof(void*) * 2);
      hex.zero = false;
      emit_integer(out, hex, u'X', false, reinterpret_cast<std::uintptr_t>(v.pointer));
      return true;
    }
    case u'e':
    case u'E':
    case u'f':
    case u'F':
    case u'g':
    case u'G':
    case u'a':
    case u'A': {
      if (!options.reals) return false;
      const bool long_double = spec.size == Size::LongDouble;
      if (!args.read(long_double ? ArgKind::LongReal : ArgKind::Real, v)) return false;
      return emit_real(out, spec, conv, v.real, long_double);
    }
    default:
      return false;
  }
}

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

int read_number(std::u16string_view f, std::size_t& i) {
  int value = 0;
  for (; i < f.size() && is_digit(f[i]); ++i)
    if (value < 100000) value = value * 10 + (f[i] - u'0');
  return value;
}

}  // namespace

void format_wide(std::u16string& out, std::u16string_view f, ArgReader& args, const FormatOptions& options) {
  const std::size_t n = f.size();
  std::size_t i = 0;
  while (i < n) {
    if (f[i] != u'%') {
      const std::size_t next = f.find(u'%', i);
      const std::size_t end = next == std::u16string_view::npos ? n : next;
      out.append(f.substr(i, end - i));
      i = end;
      continue;
    }
    const std::size_t start = i++;
    if (i < n && f[i] == u'%') {
      out += u'%';
      ++i;
      continue;
    }
    Spec spec;
    bool readable = true;
    for (bool more = true; more && i < n; ) {
      switch (f[i]) {
        case u'-': spec.left = true; break;
        case u'+': spec.plus = true; break;
        case u' ': spec.space = true; break;
        case u'0': spec.zero = true; break;
        case u'#': spec.alt = true; break;
        default: more = false; continue;
      }
      ++i;
    }
    if (i < n && f[i] == u'*') {
      ++i;
      ArgValue v;
      readable = args.read(ArgKind::Int, v);
      const auto width = static_cast<std::int32_t>(v.integer);
      if (width < 0) spec.left = true;
      spec.width = width < 0 ? (width < -100000 ? 100000 : -width) : (width > 100000 ? 100000 : width);
    } else {
      spec.width = read_number(f, i);
    }
    if (i < n && f[i] == u'.') {
      ++i;
      if (i < n && f[i] == u'*') {
        ++i;
        ArgValue v;
        if (readable) readable = args.read(ArgKind::Int, v);
        const auto precision = static_cast<std::int32_t>(v.integer);
        spec.precision = precision < 0 ? -1 : (precision > 100000 ? 100000 : precision);
      } else {
        spec.precision = read_number(f, i);
      }
    }
    if (i < n) {
      const std::u16string_view rest = f.substr(i);
      if (rest.starts_with(u"I64")) {
        spec.size = Size::LongLong;
        i += 3;
      } else if (rest.starts_with(u"I32")) {
        spec.size = Size::None;
        i += 3;
      } else if (rest.starts_with(u"ll")) {
        spec.size = Size::LongLong;
        i += 2;
      } else if (rest.starts_with(u"hh")) {
        spec.size = Size::Byte;
        i += 2;
      } else {
        switch (f[i]) {
          case u'h': spec.size = Size::Short; ++i; break;
          case u'l':
          case u'w': spec.size = Size::Long; ++i; break;
          case u'L': spec.size = Size::LongDouble; ++i; break;
          case u'I':
          case u'z':
          case u'j':
          case u't': spec.size = Size::Pointer; ++i; break;
          default: break;
        }
      }
    }
    if (i >= n) {
      out.append(f.substr(start));
      break;
    }
    const char16_t conv = f[i++];
    if (!readable || !convert(out, spec, conv, args, options)) out.append(f.substr(start, i - start));
  }
}

bool VaListReader::read(ArgKind kind, ArgValue& value) {
  switch (kind) {
    case ArgKind::Int:
      value.integer = static_cast<std::uint64_t>(static_cast<std::int64_t>(va_arg(args_, int)));
      break;
    case ArgKind::UInt:
      value.integer = va_arg(args_, unsigned int);
      break;
    case ArgKind::Int64:
      value.integer = static_cast<std::uint64_t>(va_arg(args_, long long));
      break;
    case ArgKind::UInt64:
      value.integer = va_arg(args_, unsigned long long);
      break;
    case ArgKind::Real:
      value.real = va_arg(args_, double);
      break;
    case ArgKind::LongReal:
      value.real = va_arg(args_, long double);
      break;
    case ArgKind::WideText:
    case ArgKind::NarrowText:
    case ArgKind::Pointer:
      value.pointer = va_arg(args_, const void*);
      break;
    case ArgKind::WideChar:
    case ArgKind::NarrowChar:
      value.integer = static_cast<unsigned int>(va_arg(args_, int));
      break;
  }
  return true;
}

}  // namespace platform::text
