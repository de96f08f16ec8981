// What the predefined controls share: their font and notifications to the parent.
#pragma once

#include "platform/winuser.h"

namespace platform::ui::detail {

// Handles WM_SETFONT and WM_GETFONT; false for any other message.
bool handle_font_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
// WM_COMMAND with the control's id and `code` to its parent.
void notify_parent(HWND control, WORD code);
// Draws the control's text with the given format and text colour.
void paint_text(HWND control, UINT format, int colour_index);

}  // namespace platform::ui::detail
