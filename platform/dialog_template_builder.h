// Builds in-memory dialog templates in the documented DLGTEMPLATEEX layout, for resources of
// the suite and for tests: CreateDialogIndirectParamW and DialogBoxIndirectParamW read them.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "platform/winuser.h"

namespace platform {

// A name or an ordinal, as the template's sz_Or_Ord fields hold them.
using NameOrOrdinal = std::variant<std::u16string, WORD>;

// Predefined control classes by ordinal.
inline constexpr WORD button_class = 0x0080;
inline constexpr WORD edit_class = 0x0081;
inline constexpr WORD static_class = 0x0082;
inline constexpr WORD list_box_class = 0x0083;
inline constexpr WORD scroll_bar_class = 0x0084;
inline constexpr WORD combo_box_class = 0x0085;

struct DialogFont {
  WORD point_size = 8;
  WORD weight = 400;
  BYTE italic = 0;
  BYTE charset = 1;
  std::u16string face = u"MS Shell Dlg";
};

struct DialogItem {
  NameOrOrdinal window_class;
  NameOrOrdinal title;
  DWORD id = 0;
  DWORD style = 0;  // WS_CHILD is added when the dialog is created, as on Windows
  DWORD ex_style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  DWORD help_id = 0;
  std::vector<BYTE> creation_data;
};

class DialogTemplateBuilder {
 public:
  DialogTemplateBuilder& style(DWORD style);
  DialogTemplateBuilder& ex_style(DWORD ex_style);
  DialogTemplateBuilder& help_id(DWORD help_id);
  DialogTemplateBuilder& rect(short x, short y, short cx, short cy);
  DialogTemplateBuilder& title(std::u16string title);
  DialogTemplateBuilder& menu(NameOrOrdinal menu);
  DialogTemplateBuilder& window_class(NameOrOrdinal window_class);
  // Adds DS_SETFONT to the style.
  DialogTemplateBuilder& font(DialogFont font);
  DialogTemplateBuilder& item(DialogItem item);
  // Shorthands for predefined controls (WS_VISIBLE added; WS_TABSTOP for buttons and edits).
  DialogTemplateBuilder& button(DWORD id, std::u16string text, short x, short y, short cx, short cy,
                                DWORD style = BS_PUSHBUTTON);
  DialogTemplateBuilder& edit(DWORD id, std::u16string text, short x, short y, short cx, short cy, DWORD style = 0);
  DialogTemplateBuilder& label(DWORD id, std::u16string text, short x, short y, short cx, short cy, DWORD style = 0);

  // The DLGTEMPLATEEX bytes, DWORD-aligned at their start, valid while the builder's result lives.
  std::vector<WORD> build() const;
  // The same dialog in the older DLGTEMPLATE layout (help ids, weights and item ids above
  // 0xFFFF do not exist there).
  std::vector<WORD> build_classic() const;

 private:
  DWORD style_ = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  DWORD ex_style_ = 0;
  DWORD help_id_ = 0;
  short x_ = 0, y_ = 0, cx_ = 100, cy_ = 60;
  NameOrOrdinal menu_ = WORD{0};
  NameOrOrdinal class_ = WORD{0};
  std::u16string title_;
  bool has_font_ = false;
  DialogFont font_;
  std::vector<DialogItem> items_;
};

// The template's first byte, as the dialog functions take it.
inline LPCDLGTEMPLATEW as_template(const std::vector<WORD>& bytes) {
  return reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data());
}

}  // namespace platform
