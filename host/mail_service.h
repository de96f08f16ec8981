// IMailService: the host's way to the user's mail program. Components hand it a subject, a body
// and attachment paths; they never write a message themselves.
#pragma once

#include "platform/oaidl.h"

struct IMailService : IDispatch {
  // `paths`: a VARIANT holding a SAFEARRAY of BSTR file paths, attached in that order.
  STDMETHOD(SendWithAttachments)(LONG host_handle, BSTR subject, BSTR body, VARIANT* paths) PURE;
  // The same, with the pictures shown in an HTML body.
  STDMETHOD(SendEmbeddedInHtml)(LONG host_handle, BSTR subject, BSTR body, VARIANT* paths) PURE;
  // The default mail program's display name; empty when there is none.
  STDMETHOD(GetDefaultClientName)(BSTR* name) PURE;
  // Whether the mail program takes an HTML message with embedded pictures.
  STDMETHOD(CanEmbedInClient)(VARIANT_BOOL* can_embed) PURE;
};
PLATFORM_DECLARE_IID(IMailService, "{03DC3EF0-1DE4-4BD5-BAF6-E8311C1547CB}");

namespace host {
PLATFORM_DEFINE_GUID(CLSID_MailService, "{F49E044C-51C0-4256-BF1F-9D3DF7CF0A46}");
}  // namespace host
