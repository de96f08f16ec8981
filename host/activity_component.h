// IActivityComponent: what every class of the module answers, and how panes receive pane
// messages (a GUID string identifying the message, two values, a flags integer).
#pragma once

#include "platform/oaidl.h"

struct IActivityComponent : IDispatch {
  // `handled` is set to 1 when the component took the message.
  STDMETHOD(ReceiveMessage)(BSTR message_id, VARIANT first, VARIANT second, LONG flags, LONG* handled) PURE;
  // Always answers VARIANT_TRUE.
  STDMETHOD(IsAvailable)(VARIANT_BOOL* available) PURE;
};
PLATFORM_DECLARE_IID(IActivityComponent, "{C7E5D7EF-767C-4964-B727-D61233FB4D49}");
