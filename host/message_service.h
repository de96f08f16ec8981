// The host's message service: shows a message to the user and answers the button pressed.
#pragma once

#include "platform/oaidl.h"
#include "platform/windef.h"

struct IMessageService : IDispatch {
  // Shows `text` with `caption` and `further` text over `owner`; `answer` is the button pressed.
  STDMETHOD(ShowMessage)(HWND owner, BSTR text, BSTR caption, BSTR further, LONG buttons, LONG* answer) PURE;
};
PLATFORM_DECLARE_IID(IMessageService, "{F4880731-DE0E-4FA1-A203-E8FD4E65D12C}");

namespace host {
PLATFORM_DEFINE_GUID(CLSID_MessageService, "{277F2146-2E67-4E06-BE6F-8641E134DE0B}");

// Button flags and answers, with the values of MessageBox.
inline constexpr LONG kButtonsOk = 0;
inline constexpr LONG kButtonsOkCancel = 1;
inline constexpr LONG kButtonsYesNoCancel = 3;
inline constexpr LONG kButtonsYesNo = 4;
inline constexpr LONG kAnswerOk = 1;
inline constexpr LONG kAnswerCancel = 2;
inline constexpr LONG kAnswerYes = 6;
inline constexpr LONG kAnswerNo = 7;
}  // namespace host
