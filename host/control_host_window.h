// The control-host window class that dialog templates name for their ActiveX children: its
// window text is the control's braced CLSID string or ProgID. Sent kAxGetControl, such a
// window answers the hosted control's IUnknown (a reference the caller releases), or 0.
#pragma once

#include "platform/winuser.h"

namespace host {
inline constexpr const char16_t* kAxWindowClass = u"TSGAxWin";
inline constexpr UINT kAxGetControl = WM_USER + 0x0740;
}  // namespace host
