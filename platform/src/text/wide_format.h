// The printf engine behind the wide CRT functions, wsprintfW and format_host_text. Arguments
// come from a reader, so the same parsing serves va_list and checked C++ arguments.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/windef.h"

namespace platform::text {

enum class ArgKind { Int, UInt, Int64, UInt64, Real, LongReal, WideText, NarrowText, WideChar, NarrowChar, Pointer };

struct ArgValue {
  std::uint64_t integer = 0;  // bits of an integer or character, already widened for its kind
  long double real = 0;
  const void* pointer = nullptr;
  std::size_t length = static_cast<std::size_t>(-1);  // of text; -1 when NUL-terminated
};

class ArgReader {
 public:
  // The next argument read as `kind`; false when there is none that fits (the conversion is
  // then copied as written).
  virtual bool read(ArgKind kind, ArgValue& value) = 0;

 protected:
  ~ArgReader() = default;
};

enum class NarrowTextCode {
  Bytes,  // each byte is the code unit of the same value (the CRT's "C" locale)
  Ansi,   // the process's ANSI code page
};

struct FormatOptions {
  NarrowTextCode narrow = NarrowTextCode::Bytes;
  bool reals = true;  // wsprintf has no floating-point conversions
};

void format_wide(std::u16string& out, std::u16string_view format, ArgReader& args, const FormatOptions& options);

// Reads C variadic arguments by their conversion's type.
class VaListReader final : public ArgReader {
 public:
  explicit VaListReader(va_list args) { va_copy(args_, args); }
  ~VaListReader() { va_end(args_); }
  VaListReader(const VaListReader&) = delete;
  VaListReader& operator=(const VaListReader&) = delete;
  bool read(ArgKind kind, ArgValue& value) override;

 private:
  va_list args_;
};

}  // namespace platform::text
