#include "zozed/toolkit/dialog_frame.h"

#include "platform/objbase.h"
#include "zozed/toolkit/ax_host_window.h"
#include "zozed/toolkit/host_template.h"

namespace zozed::toolkit {

DialogFrame::DialogFrame()
    : SkinnedWindow(u"DialogFrame"),
      links_([this](int control_id, DISPID event, const DISPPARAMS& params) { OnChildEvent(control_id, event, params); }) {}

INT_PTR DialogFrame::Run(HWND owner, LONG template_id, const CLSID& environment) {
  if (hwnd()) return -1;
  register_ax_window_class();
  platform::ComPtr<IClientEnvironment> host_environment;
  if (FAILED(CoCreateInstance(environment, nullptr, CLSCTX_ALL, IID_IClientEnvironment, host_environment.put_void())))
    return -1;
  CursorScope busy(host_busy_cursor(host_environment.get()));
  auto found = load_host_template(host_environment.get(), template_id);
  if (!found) return -1;
  environment_ = std::move(host_environment);
  init_data_ = std::move(found->init_data);
  busy_ = &busy;
  const INT_PTR result =
      DialogBoxIndirectParamW(nullptr, found->get(), owner, &DialogFrame::dialog_proc, reinterpret_cast<LPARAM>(this));
  busy_ = nullptr;
  detach_window();
  environment_.reset();
  return result;
}

void DialogFrame::End(INT_PTR result) {
  if (hwnd()) EndDialog(hwnd(), result);
}

bool DialogFrame::OnMessage(UINT message, WPARAM wparam, LPARAM, INT_PTR& result) {
  if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
    End(LOWORD(wparam));
    result = TRUE;
    return true;
  }
  return false;
}

INT_PTR CALLBACK DialogFrame::dialog_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    auto* frame = reinterpret_cast<DialogFrame*>(lparam);
    frame->attach_window(hwnd);
    if (!frame->init_data_.empty()) apply_ax_init_data(hwnd, frame->init_data_);
    frame->links_.link_children(hwnd);
    frame->OnSkinLoad();
    frame->OnLayout();
    frame->OnInitDialog();
    // The dialog is built: the wait is over.
    if (frame->busy_) frame->busy_->restore();
    return TRUE;
  }
  auto* frame = reinterpret_cast<DialogFrame*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!frame) return FALSE;
  if (message == WM_DESTROY) frame->links_.unlink_all();
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    return FALSE;
  }
  INT_PTR result = 0;
  if (frame->OnMessage(message, wparam, lparam, result)) return result;
  if (frame->handle_skin_message(message, wparam, lparam, result)) return message == WM_SIZE ? FALSE : result;
  return FALSE;
}

}  // namespace zozed::toolkit
