#include "zozed/email/panes/folder_saved_dialog.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "host/pane_templates.h"
#include "host/skinned_controls.h"
#include "platform/support/com_error.h"
#include "platform/winbase.h"
#include "platform/winnls.h"
#include "zozed/toolkit/skinned_child.h"

namespace zozed {
namespace {

constexpr int kHeading = 1182;
constexpr int kMessage = 1181;
constexpr int kOpenFolder = 1183;
constexpr int kCopyPath = 1184;
constexpr int kClose = 1186;

constexpr LONG kHeadingText = 61690;
constexpr LONG kMessageText = 61713;
constexpr LONG kTitleText = 61887;

// The browser takes its command line in the ANSI code page, as the system starts programs.
constexpr std::size_t kCommandLineSize = 1024;

std::string to_ansi(std::u16string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string ansi(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), needed, nullptr, nullptr);
  return ansi;
}

}  // namespace

INT_PTR FolderSavedDialog::Run(HWND owner) { return DialogFrame::Run(owner, host::kTemplateFolderSaved); }

void FolderSavedDialog::OnInitDialog() {
  // A text the host lacks leaves that control as the template has it.
  (void)platform::com_boundary([&] {
    IClientEnvironment& host = *environment();
    toolkit::SkinnedChild(hwnd(), kHeading).set_text(toolkit::host_text(host, kHeadingText));
    toolkit::SkinnedChild(hwnd(), kMessage).set_text(toolkit::host_text(host, kMessageText) + u"\r\n\r\n" + folder_);
    SetWindowTextW(hwnd(), toolkit::host_text(host, kTitleText).c_str());
    return S_OK;
  });
}

void FolderSavedDialog::OnChildEvent(int control_id, DISPID event, const DISPPARAMS&) {
  if (event != host::kEventClick) return;
  switch (control_id) {
    case kOpenFolder:
      open_in_browser();
      break;
    case kCopyPath:
      copy_to_clipboard();
      break;
    case kClose:
      End(1);
      break;
    default:
      break;
  }
}

void FolderSavedDialog::open_in_browser() const {
  char command[kCommandLineSize];
  std::snprintf(command, sizeof command, "explorer /n,\"%s\"", to_ansi(folder_).c_str());
  (void)WinExec(command, SW_SHOW);
}

void FolderSavedDialog::copy_to_clipboard() const {
  if (!OpenClipboard(hwnd())) return;
  (void)EmptyClipboard();
  const SIZE_T bytes = (folder_.size() + 1) * sizeof(WCHAR);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    void* block = GlobalLock(memory);
    if (block) {
      std::memcpy(block, folder_.c_str(), bytes);
      GlobalUnlock(memory);
    }
    // The clipboard owns the memory only once it took it.
    if (!block || !SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

}  // namespace zozed
