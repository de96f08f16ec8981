#include "platform/src/ui/dialog_template.h"

#include <cstdint>
#include <cstring>

namespace platform::ui::detail {

namespace {

constexpr WORD ordinal_marker = 0xFFFF;
constexpr WORD extended_signature = 0xFFFF;
// Templates are read without a length; this bounds what a corrupt item count can make us read.
constexpr WORD most_items = 4096;

class Reader {
 public:
  explicit Reader(const BYTE* start) : start_(start), at_(start) {}

  WORD word() { return read<WORD>(); }
  DWORD dword() { return read<DWORD>(); }
  short shortint() { return read<short>(); }
  BYTE byte() { return read<BYTE>(); }

  TemplateString name_or_ordinal() {
    TemplateString result;
    const WORD first = peek_word();
    result.text = reinterpret_cast<LPCWSTR>(at_);
    if (first == 0) {
      word();
      return result;
    }
    result.present = true;
    if (first == ordinal_marker) {
      word();
      result.is_ordinal = true;
      result.ordinal = word();
      return result;
    }
    text();
    return result;
  }

  std::u16string text() {
    std::u16string result;
    for (WORD c = word(); c != 0; c = word()) result.push_back(static_cast<char16_t>(c));
    return result;
  }

  const WORD* here() const { return reinterpret_cast<const WORD*>(at_); }
  void skip(std::size_t bytes) { at_ += bytes; }
  void align_dword() {
    const auto offset = static_cast<std::size_t>(at_ - start_);
    at_ += (4 - offset % 4) % 4;
  }

 private:
  template <typename T>
  T read() {
    T value;
    std::memcpy(&value, at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  WORD peek_word() const {
    WORD value;
    std::memcpy(&value, at_, sizeof value);
    return value;
  }

  const BYTE* start_;
  const BYTE* at_;
};

}  // namespace

LPCWSTR TemplateString::as_argument() const {
  if (!present) return nullptr;
  return is_ordinal ? MAKEINTRESOURCEW(ordinal) : text;
}

LPCWSTR predefined_class_name(WORD ordinal) {
  switch (ordinal) {
    case 0x0080:
      return u"Button";
    case 0x0081:
      return u"Edit";
    case 0x0082:
      return u"Static";
    case 0x0083:
      return u"ListBox";
    case 0x0084:
      return u"ScrollBar";
    case 0x0085:
      return u"ComboBox";
    default:
      return nullptr;
  }
}

std::optional<DialogTemplate> parse_dialog_template(const void* dialog_template) {
  if (!dialog_template || reinterpret_cast<std::uintptr_t>(dialog_template) % 2 != 0) return std::nullopt;
  Reader in(static_cast<const BYTE*>(dialog_template));
  DialogTemplate result;
  WORD count = 0;
  {
    WORD version;
    WORD signature;
    std::memcpy(&version, dialog_template, sizeof version);
    std::memcpy(&signature, static_cast<const BYTE*>(dialog_template) + 2, sizeof signature);
    result.extended = version == 1 && signature == extended_signature;
  }
  if (result.extended) {
    in.word();
    in.word();
    result.help_id = in.dword();
    result.ex_style = in.dword();
    result.style = in.dword();
  } else {
    result.style = in.dword();
    result.ex_style = in.dword();
  }
  count = in.word();
  if (count > most_items) return std::nullopt;
  result.x = in.shortint();
  result.y = in.shortint();
  result.cx = in.shortint();
  result.cy = in.shortint();
  result.menu = in.name_or_ordinal();
  result.window_class = in.name_or_ordinal();
  result.title = in.name_or_ordinal();
  if (result.style & DS_SETFONT) {
    result.has_font = true;
    result.point_size = in.word();
    if (result.extended) {
      result.weight = in.word();
      result.italic = in.byte();
      result.charset = in.byte();
    }
    result.face = in.text();
  }

  for (WORD i = 0; i < count; ++i) {
    in.align_dword();
    TemplateItem item;
    if (result.extended) {
      item.help_id = in.dword();
      item.ex_style = in.dword();
      item.style = in.dword();
    } else {
      item.style = in.dword();
      item.ex_style = in.dword();
    }
    item.x = in.shortint();
    item.y = in.shortint();
    item.cx = in.shortint();
    item.cy = in.shortint();
    item.id = result.extended ? in.dword() : in.word();
    item.window_class = in.name_or_ordinal();
    item.title = in.name_or_ordinal();
    const WORD* data = in.here();
    const WORD data_size = in.word();
    if (data_size > 0) {
      item.creation_data = data;
      in.skip(data_size);
    }
    result.items.push_back(item);
  }
  return result;
}

}  // namespace platform::ui::detail
