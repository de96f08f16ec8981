// Window procedures of the predefined control classes a dialog template names by ordinal.
#pragma once

#include "platform/winuser.h"

namespace platform::ui::detail {

LRESULT CALLBACK button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK edit_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK static_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// List boxes, scroll bars and combo boxes: windows with text and state, no items of their own.
LRESULT CALLBACK plain_control_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Extra bytes of a button: its check and push state.
inline constexpr int button_state_offset = 0;
inline constexpr int button_extra = static_cast<int>(sizeof(LONG_PTR));
// Extra bytes of an edit control: selection start and end, text limit.
inline constexpr int edit_extra = 3 * static_cast<int>(sizeof(LONG_PTR));

}  // namespace platform::ui::detail
