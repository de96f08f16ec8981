// The mail hand-off carries file names in the system's ANSI code page: attachments whose names
// do not convert are copied into the temporary folder under names that do, after asking the user.
#pragma once

#include <string_view>

#include "host/environment.h"
#include "platform/oaidl.h"
#include "zozed/email/engine/item_list.h"

namespace zozed::email {

inline constexpr LONG kAnsiCopyQuestion = 62596;
inline constexpr LONG kAnsiCopyQuestionDetail = 62597;
inline constexpr LONG kAnsiImpossible = 62598;
inline constexpr LONG kAnsiImpossibleDetail = 62599;
inline constexpr LONG kAnsiCopyBaseName = 62600;

// Whether `text` converts to the ANSI code page with no replacement character and no best fit.
bool ConvertsToAnsi(std::u16string_view text);

// `paths` (SAFEARRAY of BSTR) and `attachments` are index for index. Every path that does not
// convert is copied into the temporary folder under a unique name made from host string 62600,
// replaced in `paths` and registered as its item's temporary file. False when the send must
// stop: the user declined (answer 2), the temporary folder does not convert either (the user is
// told), or a copy failed (the failure is reported after every copy was tried). Raises ComError
// on a failing host call.
bool PrepareAnsiAttachments(VARIANT& paths, const ItemList& attachments, IClientEnvironment& environment,
                            HWND owner);

}  // namespace zozed::email
