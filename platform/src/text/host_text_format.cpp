// format_host_text: the formatting engine over arguments whose types are known, so that a
// conversion never reads an argument of another kind or one that is not there.
#include "platform/src/text/wide_format.h"
#include "platform/wide_crt.h"

namespace platform::detail {

namespace {

using Type = HostTextArg::Type;

std::uint64_t extend(std::uint64_t value, unsigned bits, bool as_signed) {
  if (bits >= 64) return value;
  const std::uint64_t mask = (std::uint64_t{1} << bits) - 1;
  value &= mask;
  if (as_signed && ((value >> (bits - 1)) & 1)) value |= ~mask;
  return value;
}

// The argument after C's integer promotion, read by a signed or an unsigned conversion.
std::uint64_t promoted(const HostTextArg& a, bool as_signed) {
  const std::uint64_t value = extend(a.integer, a.bits, a.type == Type::Signed);
  const unsigned bits = a.bits < 32 ? 32 : a.bits;
  return extend(value, bits, as_signed);
}

class CheckedReader final : public text::ArgReader {
 public:
  CheckedReader(const HostTextArg* args, std::size_t count) : args_(args), count_(count) {}

  bool read(text::ArgKind kind, text::ArgValue& value) override {
    if (next_ >= count_) return false;
    const HostTextArg& a = args_[next_++];
    const bool integer = a.type == Type::Signed || a.type == Type::Unsigned || a.type == Type::Char;
    switch (kind) {
      case text::ArgKind::Int:
      case text::ArgKind::Int64:
        if (!integer) return false;
        value.integer = promoted(a, true);
        return true;
      case text::ArgKind::UInt:
      case text::ArgKind::UInt64:
      case text::ArgKind::WideChar:
      case text::ArgKind::NarrowChar:
        if (!integer) return false;
        value.integer = promoted(a, false);
        return true;
      case text::ArgKind::Real:
      case text::ArgKind::LongReal:
        if (a.type != Type::Real) return false;
        value.real = a.real;
        return true;
      case text::ArgKind::WideText:
      case text::ArgKind::NarrowText:
        if (a.type != (kind == text::ArgKind::WideText ? Type::WideText : Type::NarrowText)) return false;
        value.pointer = a.pointer;
        value.length = a.length;
        return true;
      case text::ArgKind::Pointer:
        if (a.type != Type::Pointer) return false;
        value.pointer = a.pointer;
        return true;
    }
    return false;
  }

 private:
  const HostTextArg* args_;
  std::size_t count_;
  std::size_t next_ = 0;
};

}  // namespace

std::u16string format_host_text(std::u16string_view format, const HostTextArg* args, std::size_t count) {
  CheckedReader reader(args, count);
  std::u16string out;
  out.reserve(format.size() + 16);
  text::format_wide(out, format, reader, {text::NarrowTextCode::Ansi, true});
  return out;
}

}  // namespace platform::detail
