#include "platform/dialog_template_builder.h"

#include <cstring>

namespace platform {

namespace {

class Writer {
 public:
  template <typename T>
  void put(T value) {
    const auto at = bytes_.size();
    bytes_.resize(at + sizeof value);
    std::memcpy(bytes_.data() + at, &value, sizeof value);
  }
  void text(const std::u16string& value) {
    for (char16_t c : value) put(static_cast<WORD>(c));
    put(WORD{0});
  }
  void name_or_ordinal(const NameOrOrdinal& value) {
    if (const WORD* ordinal = std::get_if<WORD>(&value)) {
      if (*ordinal != 0) put(WORD{0xFFFF});
      put(*ordinal);
    } else {
      text(std::get<std::u16string>(value));
    }
  }
  void creation_data(const std::vector<BYTE>& data) {
    put(static_cast<WORD>(data.size()));
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    if (bytes_.size() % 2) bytes_.push_back(0);
  }
  void align_dword() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }
  std::vector<WORD> words() const {
    std::vector<WORD> result((bytes_.size() + 1) / 2);
    std::memcpy(result.data(), bytes_.data(), bytes_.size());
    return result;
  }

 private:
  std::vector<BYTE> bytes_;
};

}  // namespace

DialogTemplateBuilder& DialogTemplateBuilder::style(DWORD style) {
  style_ = style | (has_font_ ? DS_SETFONT : 0);
  return *this;
}
DialogTemplateBuilder& DialogTemplateBuilder::ex_style(DWORD ex_style) {
  ex_style_ = ex_style;
  return *this;
}
DialogTemplateBuilder& DialogTemplateBuilder::help_id(DWORD help_id) {
  help_id_ = help_id;
  return *this;
}
DialogTemplateBuilder& DialogTemplateBuilder::rect(short x, short y, short cx, short cy) {
  x_ = x;
  y_ = y;
  cx_ = cx;
  cy_ = cy;
  return *this;
}
DialogTemplateBuilder& DialogTemplateBuilder::title(std::u16string title) {
  title_ = std::move(title);
  return *this;
}
DialogTemplateBuilder& DialogTemplateBuilder::menu(NameOrOrdinal menu) {
  menu_ = std::move(menu);
  return *this;
}
DialogTemplateBuilder& DialogTemplateBuilder::window_class(NameOrOrdinal window_class) {
  class_ = std::move(window_class);
  return *this;
}
DialogTemplateBuilder& DialogTemplateBuilder::font(DialogFont font) {
  font_ = std::move(font);
  has_font_ = true;
  style_ |= DS_SETFONT;
  return *this;
}
DialogTemplateBuilder& DialogTemplateBuilder::item(DialogItem item) {
  items_.push_back(std::move(item));
  return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::button(DWORD id, std::u16string text, short x, short y, short cx,
                                                     short cy, DWORD style) {
  return item(DialogItem{button_class, std::move(text), id, style | WS_VISIBLE | WS_TABSTOP, 0, x, y, cx, cy, 0, {}});
}
DialogTemplateBuilder& DialogTemplateBuilder::edit(DWORD id, std::u16string text, short x, short y, short cx, short cy,
                                                   DWORD style) {
  return item(DialogItem{edit_class, std::move(text), id, style | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, x, y, cx, cy,
                         0, {}});
}
DialogTemplateBuilder& DialogTemplateBuilder::label(DWORD id, std::u16string text, short x, short y, short cx,
                                                    short cy, DWORD style) {
  return item(DialogItem{static_class, std::move(text), id, style | WS_VISIBLE, 0, x, y, cx, cy, 0, {}});
}

std::vector<WORD> DialogTemplateBuilder::build() const {
  Writer out;
  out.put(WORD{1});
  out.put(WORD{0xFFFF});
  out.put(help_id_);
  out.put(ex_style_);
  out.put(style_);
  out.put(static_cast<WORD>(items_.size()));
  out.put(x_);
  out.put(y_);
  out.put(cx_);
  out.put(cy_);
  out.name_or_ordinal(menu_);
  out.name_or_ordinal(class_);
  out.text(title_);
  if (style_ & DS_SETFONT) {
    out.put(font_.point_size);
    out.put(font_.weight);
    out.put(font_.italic);
    out.put(font_.charset);
    out.text(font_.face);
  }
  for (const DialogItem& item : items_) {
    out.align_dword();
    out.put(item.help_id);
    out.put(item.ex_style);
    out.put(item.style);
    out.put(item.x);
    out.put(item.y);
    out.put(item.cx);
    out.put(item.cy);
    out.put(item.id);
    out.name_or_ordinal(item.window_class);
    out.name_or_ordinal(item.title);
    out.creation_data(item.creation_data);
  }
  return out.words();
}

std::vector<WORD> DialogTemplateBuilder::build_classic() const {
  Writer out;
  out.put(style_);
  out.put(ex_style_);
  out.put(static_cast<WORD>(items_.size()));
  out.put(x_);
  out.put(y_);
  out.put(cx_);
  out.put(cy_);
  out.name_or_ordinal(menu_);
  out.name_or_ordinal(class_);
  out.text(title_);
  if (style_ & DS_SETFONT) {
    out.put(font_.point_size);
    out.text(font_.face);
  }
  for (const DialogItem& item : items_) {
    out.align_dword();
    out.put(item.style);
    out.put(item.ex_style);
    out.put(item.x);
    out.put(item.y);
    out.put(item.cx);
    out.put(item.cy);
    out.put(static_cast<WORD>(item.id));
    out.name_or_ordinal(item.window_class);
    out.name_or_ordinal(item.title);
    out.creation_data(item.creation_data);
  }
  return out.words();
}

}  // namespace platform
