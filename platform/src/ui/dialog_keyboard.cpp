#include "platform/src/ui/window_manager.h"

using namespace platform::ui::detail;

namespace {

void command(HWND dialog, int id, HWND control) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Return: the focused push button, else the default button, else IDOK.
void press_return(HWND dialog) {
  const HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus) &&
      (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    command(dialog, GetDlgCtrlID(focus), focus);
    return;
  }
  const LRESULT default_id = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(default_id) == DC_HASDEFID) {
    HWND button = GetDlgItem(dialog, LOWORD(default_id));
    if (!button || IsWindowEnabled(button)) command(dialog, LOWORD(default_id), button);
    return;
  }
  command(dialog, IDOK, GetDlgItem(dialog, IDOK));
}

}  // namespace

extern "C" BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg) {
  if (!hDlg || !lpMsg || !peek_window(hDlg)) return FALSE;
  if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)) return FALSE;
  if (lpMsg->message == WM_KEYDOWN) {
    const LRESULT code =
        SendMessageW(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
    if (!(code & DLGC_WANTMESSAGE)) {
      switch (lpMsg->wParam) {
        case VK_TAB:
          if (code & DLGC_WANTTAB) break;
          SendMessageW(hDlg, WM_NEXTDLGCTL, 0, 0);
          return TRUE;
        case VK_ESCAPE:
          command(hDlg, IDCANCEL, GetDlgItem(hDlg, IDCANCEL));
          return TRUE;
        case VK_RETURN:
          press_return(hDlg);
          return TRUE;
        default:
          break;
      }
    }
  }
  TranslateMessage(lpMsg);
  DispatchMessageW(lpMsg);
  return TRUE;
}
