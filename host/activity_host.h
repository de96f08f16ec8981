// IActivityHost: the host's side panel, whose activity area holds the pane stack that panes
// and services drive by dispatch id (show a pane, current pane, toolbar, back, end, return).
#pragma once

#include "platform/oaidl.h"
#include "host/sub_manager.h"

struct IActivityHost : IDispatch {
  // The activity area: an automation object whose property kActivityAreaPaneStack is the pane stack.
  STDMETHOD(GetActivityArea)(IDispatch** area) PURE;
  // The host's command target, for commands a component re-issues to the host.
  STDMETHOD(GetCommandTarget)(ICommandTarget** target) PURE;
  // The host's own window handle as a 32-bit value, which the mail service takes with each message.
  STDMETHOD(GetHostHandle)(LONG* handle) PURE;
};
PLATFORM_DECLARE_IID(IActivityHost, "{9886501B-2956-4E2C-A558-94D42B5FC54F}");

namespace host {
PLATFORM_DEFINE_GUID(CLSID_ActivityHost, "{5C0FF7AE-EC91-402A-AE6F-AB2BAEBDC21A}");

// Properties of the activity area.
inline constexpr DISPID kActivityAreaPaneStack = 2;
// Put VT_I4 0..100: how far a pane's long work has got, shown by the host; 0 when it is over.
inline constexpr DISPID kActivityAreaProgress = 4;

// Pane stack members.
inline constexpr DISPID kPaneStackCurrentPane = 1;     // property get: the pane shown (IDispatch), empty when none
inline constexpr DISPID kPaneStackSetToolbar = 2;      // toolbar CLSID string, empty for none
inline constexpr DISPID kPaneStackShowPane = 6;        // pane CLSID string, title
inline constexpr DISPID kPaneStackBack = 7;            // back to the previous pane
inline constexpr DISPID kPaneStackEnd = 8;             // VT_BOOL true: leave the task
inline constexpr DISPID kPaneStackReturnToCaller = 22; // back to the page that started the task
inline constexpr DISPID kPaneStackPanes = 23;          // property get: every pane of the stack, oldest first
                                                       // (VT_ARRAY | VT_DISPATCH)
}  // namespace host
