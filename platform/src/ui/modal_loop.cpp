#include "platform/src/ui/window_manager.h"

namespace platform::ui::detail {

namespace {

constexpr WPARAM msgf_dialog_box = 0;

DialogState* state_of(HWND dialog) {
  Window* window = peek_window(dialog);
  return window ? window->dialog.get() : nullptr;
}

void enable_owner(HWND dialog) {
  DialogState* state = state_of(dialog);
  if (!state || !state->disabled_owner) return;
  const HWND owner = state->disabled_owner;
  state->disabled_owner = nullptr;
  if (peek_window(owner)) EnableWindow(owner, TRUE);
}

}  // namespace

}  // namespace platform::ui::detail

using namespace platform::ui::detail;

extern "C" INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW hDialogTemplate,
                                                  HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam) {
  if (hWndParent && !window_for_call(hWndParent)) return 0;
  const HWND owner = hWndParent ? top_level_of(hWndParent) : nullptr;
  // The owner is disabled for as long as the dialog runs, so that the user can reach only the dialog.
  const bool disable_owner = owner && IsWindowEnabled(owner);
  if (disable_owner) EnableWindow(owner, FALSE);
  const HWND dialog = create_dialog(hInstance, hDialogTemplate, hWndParent, lpDialogFunc, dwInitParam, true);
  if (!dialog) {
    if (disable_owner && IsWindow(owner)) EnableWindow(owner, TRUE);
    return -1;
  }
  if (disable_owner) state_of(dialog)->disabled_owner = owner;

  bool failed = false;
  if (!state_of(dialog)->ended) ShowWindow(dialog, SW_SHOWNORMAL);
  while (IsWindow(dialog) && !state_of(dialog)->ended) {
    MSG msg;
    if (peek_message(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The quit belongs to the loop outside this one.
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (!IsDialogMessageW(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      continue;
    }
    Window* window = peek_window(dialog);
    if (owner && IsWindow(owner) && !(window->style & DS_NOIDLEMSG)) {
      SendMessageW(owner, WM_ENTERIDLE, msgf_dialog_box, reinterpret_cast<LPARAM>(dialog));
      if (!IsWindow(dialog) || state_of(dialog)->ended) break;
    }
    if (!wait_for_work(nullptr, 0, 0, dialog, "DialogBoxIndirectParamW")) {
      failed = true;
      break;
    }
  }
  if (!IsWindow(dialog)) {
    if (disable_owner && IsWindow(owner) && !IsWindowEnabled(owner)) EnableWindow(owner, TRUE);
    return 0;
  }
  const INT_PTR result = failed ? -1 : state_of(dialog)->result;
  enable_owner(dialog);
  DestroyWindow(dialog);
  if (failed) SetLastError(ERROR_POSSIBLE_DEADLOCK);
  return result;
}

extern "C" BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  Window* window = window_for_call(hDlg);
  if (!window) return FALSE;
  if (!window->dialog) {
    SetLastError(ERROR_WINDOW_NOT_DIALOG);
    return FALSE;
  }
  window->dialog->result = nResult;
  window->dialog->ended = true;
  enable_owner(hDlg);
  // The focus leaves the controls with the dialog, as Windows does before hiding it.
  const HWND focus = GetFocus();
  if (focus && IsChild(hDlg, focus)) SetFocus(hDlg);
  if (IsWindow(hDlg)) {
    set_window_pos(hDlg, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  }
  // Wakes a modal loop waiting for input.
  if (IsWindow(hDlg)) PostMessageW(hDlg, WM_NULL, 0, 0);
  return TRUE;
}
