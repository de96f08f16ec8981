// The C++ conversions: one pass into a buffer sized for the worst case, no iconv at run time.
#include "platform/src/text/code_page_codec.h"

namespace platform {

namespace {

// Long texts are measured first so the result does not keep a threefold capacity.
constexpr std::size_t kMeasureAbove = 4096;

std::string utf8_of(std::u16string_view text, bool& replaced) {
  std::size_t cap = text.size() * 3;
  if (text.size() > kMeasureAbove) {
    text::CountingSink<char> counter;
    text::utf16_to_utf8(text.data(), text.size(), false, counter, replaced);
    cap = counter.len;
  }
  std::string out(cap, '\0');
  text::UncheckedSink<char> sink{out.data()};
  text::utf16_to_utf8(text.data(), text.size(), false, sink, replaced);
  out.resize(sink.len);
  return out;
}

}  // namespace

std::string to_utf8(std::u16string_view text) {
  bool replaced = false;
  return utf8_of(text, replaced);
}

std::u16string from_utf8(std::string_view text) {
  std::u16string out(text.size(), u'\0');
  text::UncheckedSink<char16_t> sink{out.data()};
  text::utf8_to_utf16(text.data(), text.size(), false, sink);
  out.resize(sink.len);
  return out;
}

std::u16string widen(std::string_view text, UINT code_page) {
  const UINT resolved = text::resolve_code_page(code_page);
  if (resolved == CP_UTF8) return from_utf8(text);
  const text::CodePageTable* table = text::code_page_table(resolved);
  if (!table) return {};
  std::u16string out(text.size(), u'\0');
  text::UncheckedSink<char16_t> sink{out.data()};
  text::decode_code_page(*table, 0, text.data(), text.size(), sink);
  out.resize(sink.len);
  return out;
}

std::string narrow(std::u16string_view text, UINT code_page, bool* used_default) {
  const UINT resolved = text::resolve_code_page(code_page);
  bool replaced = false;
  std::string out;
  if (resolved == CP_UTF8) {
    out = utf8_of(text, replaced);
  } else if (const text::CodePageTable* table = text::code_page_table(resolved)) {
    out.assign(table->double_byte ? text.size() * 2 : text.size(), '\0');
    text::UncheckedSink<char> sink{out.data()};
    text::encode_code_page(*table, 0, text.data(), text.size(), text::DefaultChar{}, sink, replaced);
    out.resize(sink.len);
  }
  if (used_default) *used_default = replaced;
  return out;
}

}  // namespace platform
