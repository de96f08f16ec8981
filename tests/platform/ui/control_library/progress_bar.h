// The progress bar class of the test control library and its messages.
#pragma once

#include "platform/winuser.h"

inline constexpr const char16_t* progress_class = u"UiTestProgressBar";
inline constexpr UINT progress_set_position = WM_USER + 2;
inline constexpr UINT progress_get_position = WM_USER + 8;

using RegisterProgressBar = ATOM (*)(HINSTANCE);
using UnregisterProgressBar = BOOL (*)(HINSTANCE);
