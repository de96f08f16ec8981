// The Windows C runtime's wide-string functions on WCHAR (UTF-16), beside glibc's wchar_t ones,
// and printf-style formatting of wide texts: the CRT functions and a type-checked C++ form.
// Case folding here is the CRT's "C" locale: only A-Z and a-z.
// Where the CRT would call its invalid-parameter handler, these return the error code and leave
// what the CRT leaves (an emptied destination), as with a handler that returns.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/windef.h"

using errno_t = int;
#define _TRUNCATE (static_cast<std::size_t>(-1))
#define STRUNCATE 80

std::size_t wcslen(const WCHAR* str);
int wcscmp(const WCHAR* a, const WCHAR* b);
int wcsncmp(const WCHAR* a, const WCHAR* b, std::size_t count);
const WCHAR* wcschr(const WCHAR* str, WCHAR c);
WCHAR* wcschr(WCHAR* str, WCHAR c);
const WCHAR* wcsrchr(const WCHAR* str, WCHAR c);
WCHAR* wcsrchr(WCHAR* str, WCHAR c);
const WCHAR* wcsstr(const WCHAR* str, const WCHAR* search);
WCHAR* wcsstr(WCHAR* str, const WCHAR* search);

errno_t wcscpy_s(WCHAR* dest, std::size_t size, const WCHAR* src);
errno_t wcsncpy_s(WCHAR* dest, std::size_t size, const WCHAR* src, std::size_t count);
errno_t wcscat_s(WCHAR* dest, std::size_t size, const WCHAR* src);
template <std::size_t N>
errno_t wcscpy_s(WCHAR (&dest)[N], const WCHAR* src) {
  return wcscpy_s(dest, N, src);
}
template <std::size_t N>
errno_t wcsncpy_s(WCHAR (&dest)[N], const WCHAR* src, std::size_t count) {
  return wcsncpy_s(dest, N, src, count);
}
template <std::size_t N>
errno_t wcscat_s(WCHAR (&dest)[N], const WCHAR* src) {
  return wcscat_s(dest, N, src);
}

int _wcsicmp(const WCHAR* a, const WCHAR* b);
int _wcsnicmp(const WCHAR* a, const WCHAR* b, std::size_t count);
WCHAR* _wcslwr(WCHAR* str);
WCHAR* _wcsupr(WCHAR* str);
errno_t _wcslwr_s(WCHAR* str, std::size_t size);
errno_t _wcsupr_s(WCHAR* str, std::size_t size);
template <std::size_t N>
errno_t _wcslwr_s(WCHAR (&str)[N]) {
  return _wcslwr_s(str, N);
}
template <std::size_t N>
errno_t _wcsupr_s(WCHAR (&str)[N]) {
  return _wcsupr_s(str, N);
}

// Saturate at the 32-bit limits (errno ERANGE) as the CRT does.
int _wtoi(const WCHAR* str);
LONG _wtol(const WCHAR* str);

// In these wide functions %s and %c take WCHAR text, %S and %C char text (widened byte for
// byte, the "C" locale); %ld/%lu/%lx read a 32-bit LONG/ULONG; %lld and %I64d read 64 bits.
int swprintf_s(WCHAR* buffer, std::size_t count, const WCHAR* format, ...);
int vswprintf_s(WCHAR* buffer, std::size_t count, const WCHAR* format, va_list args);
int _snwprintf_s(WCHAR* buffer, std::size_t size, std::size_t count, const WCHAR* format, ...);
int _vsnwprintf_s(WCHAR* buffer, std::size_t size, std::size_t count, const WCHAR* format, va_list args);
int _vscwprintf(const WCHAR* format, va_list args);
template <std::size_t N>
int swprintf_s(WCHAR (&buffer)[N], const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = vswprintf_s(buffer, N, format, args);
  va_end(args);
  return result;
}
template <std::size_t N>
int _snwprintf_s(WCHAR (&buffer)[N], std::size_t count, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = _vsnwprintf_s(buffer, N, count, format, args);
  va_end(args);
  return result;
}

namespace platform {

// Registry-style case-insensitive comparison: both sides upper-cased with the Unicode simple
// mapping, then compared by code unit. A strict weak ordering (<0, 0, >0).
int compare_ignore_case(std::u16string_view a, std::u16string_view b);

namespace detail {

struct HostTextArg {
  enum class Type : unsigned char { Signed, Unsigned, Char, Real, WideText, NarrowText, Pointer };
  Type type = Type::Signed;
  unsigned char bits = 64;      // width of an integer argument
  std::uint64_t integer = 0;    // two's complement bits of an integer or character
  double real = 0;
  const void* pointer = nullptr;  // text (null prints "(null)") or %p value
  std::size_t length = 0;         // of text
};

template <class T>
  requires std::is_integral_v<T>
HostTextArg host_text_arg(T value) {
  HostTextArg a;
  if constexpr (std::is_same_v<T, char16_t> || std::is_same_v<T, char> || std::is_same_v<T, wchar_t>)
    a.type = HostTextArg::Type::Char;
  else
    a.type = std::is_signed_v<T> ? HostTextArg::Type::Signed : HostTextArg::Type::Unsigned;
  a.bits = static_cast<unsigned char>(sizeof(T) * 8);
  a.integer = static_cast<std::uint64_t>(static_cast<std::conditional_t<std::is_signed_v<T>, std::int64_t, std::uint64_t>>(value));
  return a;
}
template <class T>
  requires std::is_enum_v<T>
HostTextArg host_text_arg(T value) {
  return host_text_arg(static_cast<std::underlying_type_t<T>>(value));
}
inline HostTextArg host_text_arg(double value) {
  HostTextArg a;
  a.type = HostTextArg::Type::Real;
  a.real = value;
  return a;
}
inline HostTextArg host_text_arg(std::u16string_view text) {
  HostTextArg a;
  a.type = HostTextArg::Type::WideText;
  a.pointer = text.data() ? text.data() : u"";
  a.length = text.size();
  return a;
}
inline HostTextArg host_text_arg(const WCHAR* text) {
  HostTextArg a;
  a.type = HostTextArg::Type::WideText;
  a.pointer = text;
  a.length = text ? std::char_traits<char16_t>::length(text) : 0;
  return a;
}
inline HostTextArg host_text_arg(const std::u16string& text) { return host_text_arg(std::u16string_view(text)); }
inline HostTextArg host_text_arg(std::string_view text) {
  HostTextArg a;
  a.type = HostTextArg::Type::NarrowText;
  a.pointer = text.data() ? text.data() : "";
  a.length = text.size();
  return a;
}
inline HostTextArg host_text_arg(const char* text) {
  HostTextArg a;
  a.type = HostTextArg::Type::NarrowText;
  a.pointer = text;
  a.length = text ? std::char_traits<char>::length(text) : 0;
  return a;
}
inline HostTextArg host_text_arg(const std::string& text) { return host_text_arg(std::string_view(text)); }
inline HostTextArg host_text_arg(std::nullptr_t) { return host_text_arg(static_cast<const WCHAR*>(nullptr)); }
template <class T>
  requires(!std::is_same_v<std::remove_cv_t<T>, char16_t> && !std::is_same_v<std::remove_cv_t<T>, char>)
HostTextArg host_text_arg(T* pointer) {
  HostTextArg a;
  a.type = HostTextArg::Type::Pointer;
  a.pointer = pointer;
  return a;
}

std::u16string format_host_text(std::u16string_view format, const HostTextArg* args, std::size_t count);

}  // namespace detail

// printf-style formatting for host texts, with the conversions of swprintf_s (%S is ANSI text).
// Each argument is checked against its conversion when used; a conversion without a fitting
// argument, or with none left, stays in the result as written.
template <class... Args>
std::u16string format_host_text(std::u16string_view format, const Args&... args) {
  if constexpr (sizeof...(Args) == 0) {
    return detail::format_host_text(format, nullptr, 0);
  } else {
    const detail::HostTextArg list[] = {detail::host_text_arg(args)...};
    return detail::format_host_text(format, list, sizeof...(Args));
  }
}

}  // namespace platform
