// ComposeAttachmentList: the selection turned into what the message carries: the other files
// first, then the pictures (converted to JPEG within the options' limits, or as they are).
#pragma once

#include "host/environment.h"
#include "platform/oaidl.h"
#include "zozed/email/engine/email_share_options.h"
#include "zozed/email/engine/item_list.h"
#include "zozed/email/engine/preparation_progress.h"

namespace zozed::email {

struct AttachmentComposition {
  ItemList attachments;          // others first, in their order, then the pictures
  bool items_can_embed = false;  // the list qualifies for the HTML form and the client can embed
  bool complete = true;          // false when gathering or conversion failed (the failure was reported)
};

// Gathers, wraps, splits and converts `received` (a pane's item list). A failed gathering or
// conversion is reported through the host's message service over `owner` and the list keeps
// what was prepared. Raises ComError on a failing host call.
AttachmentComposition ComposeAttachmentList(const VARIANT& received, const EmailShareOptions& options,
                                            bool client_can_embed, PreparationProgress* progress,
                                            IClientEnvironment& environment, HWND owner);

}  // namespace zozed::email
