// The control-host window class `TSGAxWin`: a window whose text names an ActiveX control (a
// braced CLSID string or a ProgID) that it creates over its whole client area, keeps sized to
// itself and destroys with itself. Dialog templates use it for their ActiveX children.
#pragma once

#include <span>

#include "host/control_host_window.h"
#include "platform/support/com_ptr.h"
#include "platform/winuser.h"

namespace zozed::toolkit {

inline constexpr const char16_t* kAxWindowClass = host::kAxWindowClass;

// Registers the class for the process while the module is loaded; true when it is available.
bool register_ax_window_class();

// The control a TSGAxWin window hosts, or null (not such a window, or its control failed).
platform::ComPtr<IUnknown> ax_window_control(HWND window);

// Applies dialog init data (host resource type 240) to the control-host children of `dialog`.
// Records for other children, unknown messages and malformed tails are skipped.
void apply_ax_init_data(HWND dialog, std::span<const BYTE> data);

}  // namespace zozed::toolkit
