// The command ids the managers answer and re-issue, compared exactly as the host sends them.
#pragma once

#include "platform/windef.h"

namespace zozed::command {
inline constexpr char16_t kShare[] = u"{30355CD8-0A54-4ce7-838E-BF048256AF96}";
inline constexpr char16_t kEmailSharedItems[] = u"{F2BFE090-B34B-45d6-93EE-905255ECF886}";
inline constexpr char16_t kSave[] = u"{7870233D-CC32-4de4-9FD5-C455EFDDEEAD}";
inline constexpr char16_t kSaveAs[] = u"{F382D781-2B33-44a1-A674-5A40BAEEBE56}";
// Sent by the host to both managers: open one of their components by key.
inline constexpr char16_t kOpenComponent[] = u"{2878F2A0-7731-41ee-A836-A7583C00D30B}";
// The Save manager's further save command, which the host answers as "SaveAs".
inline constexpr char16_t kFurtherSave[] = u"{78D11833-5CF0-41fd-A5CA-F901403DC07E}";
// Re-issued to the host when the Share manager is asked to bring a command up to date.
inline constexpr char16_t kShareStateChanged[] = u"{3FF23853-B441-4c8e-90D0-06047214517B}";
}  // namespace zozed::command

namespace zozed {
// The toolbar and the first pane of the e-mail task.
inline constexpr char16_t kEmailToolbar[] = u"{3771A974-AC8A-4508-A2EB-D209DC803E22}";
inline constexpr char16_t kEmailOptionsPane[] = u"{86A49DF4-EA73-4648-9CEB-11641256FC82}";
// Host string: the title of the e-mail task's panes.
inline constexpr LONG kEmailPaneTitle = 62228;
}  // namespace zozed
