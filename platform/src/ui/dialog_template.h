// Reading in-memory dialog templates, both the DLGTEMPLATEEX and the older DLGTEMPLATE layout.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/winuser.h"

namespace platform::ui::detail {

// A name or an ordinal as a sz_Or_Ord field holds it; `text` points into the template.
struct TemplateString {
  bool present = false;
  bool is_ordinal = false;
  WORD ordinal = 0;
  LPCWSTR text = nullptr;  // the field itself: the 0xFFFF word for an ordinal
  // What CreateWindowExW takes for it: the string, or MAKEINTRESOURCE of the ordinal.
  LPCWSTR as_argument() const;
};

struct TemplateItem {
  DWORD help_id = 0;
  DWORD ex_style = 0;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  TemplateString window_class;
  TemplateString title;
  const WORD* creation_data = nullptr;  // the size word the data follows, or null without data
};

struct DialogTemplate {
  bool extended = false;
  DWORD help_id = 0;
  DWORD ex_style = 0;
  DWORD style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  TemplateString menu;
  TemplateString window_class;
  TemplateString title;
  bool has_font = false;
  WORD point_size = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::u16string face;
  std::vector<TemplateItem> items;
};

// The name of a predefined control class ordinal (0x0080 "Button" ... 0x0085 "ComboBox"), or null.
LPCWSTR predefined_class_name(WORD ordinal);

// Nothing for a template that is not WORD-aligned or names an impossible item count.
std::optional<DialogTemplate> parse_dialog_template(const void* dialog_template);

}  // namespace platform::ui::detail
