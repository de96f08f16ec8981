// DialogFrame: the skinned modal dialog frame of the module's dialogs. Runs a host dialog
// template modally under the skin "DialogFrame" (background painted from it), with the host's
// busy cursor while the dialog is built, its ActiveX children set up from the init data and
// their events delivered by control id.
#pragma once

#include "host/environment.h"
#include "platform/support/com_ptr.h"
#include "zozed/toolkit/control_event_sink.h"
#include "zozed/toolkit/host_template.h"
#include "zozed/toolkit/skinned_window.h"

namespace zozed::toolkit {

class DialogFrame : public SkinnedWindow {
 public:
  DialogFrame();

  // Runs host template `template_id` modally over `owner`; -1 when the environment cannot be
  // created, has no such template or the dialog cannot be built.
  INT_PTR Run(HWND owner, LONG template_id, const CLSID& environment = host::CLSID_ClientEnvironment);
  // Ends the running dialog with `result`.
  void End(INT_PTR result);

 protected:
  // The environment the dialog was run with (for host strings), while it runs.
  IClientEnvironment* environment() const noexcept { return environment_.get(); }
  // After the children exist and the skin is read.
  virtual void OnInitDialog() {}
  // The dialog's own messages; true when handled. Unhandled IDOK and IDCANCEL end the dialog.
  virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result);
  // An event of the skinned child `control_id` (a click is dispatch id 1).
  virtual void OnChildEvent(int control_id, DISPID event, const DISPPARAMS& args) {
    (void)control_id;
    (void)event;
    (void)args;
  }

 private:
  static INT_PTR CALLBACK dialog_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  platform::ComPtr<IClientEnvironment> environment_;
  std::vector<BYTE> init_data_;
  CursorScope* busy_ = nullptr;
  ControlEventLinks links_;
};

}  // namespace zozed::toolkit
