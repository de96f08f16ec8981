// STGEmailDonePane: the last pane of the e-mail task. It states how the items went out (handed
// to the mail program or saved for later sending), shows them in its tray, shows the folder of
// a save-for-later outcome, and lets the user step back or leave the task.
#pragma once

#include "platform/support/variant.h"
#include "zozed/panes/activity_pane_control.h"

namespace zozed {

class EmailDonePaneWindow final : public PaneWindow {
 public:
  explicit EmailDonePaneWindow(std::u16string pane_key);

  // The pane object, kept alive while a button's action may make the host let go of it.
  void set_owner(IUnknown* owner) noexcept { owner_ = owner; }

  void return_to_caller() noexcept { return_to_caller_ = true; }
  void items_and_step(const VARIANT& items, const VARIANT& step);
  void send_outcome(const VARIANT& outcome, const VARIANT& folder);

 protected:
  bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) override;
  void OnChildEvent(int control_id, DISPID event, const DISPPARAMS& args) override;

 private:
  void initialise();

  IUnknown* owner_ = nullptr;
  bool return_to_caller_ = false;
  platform::Variant items_;
  LONG step_ = 0;
};

class STGEmailDonePane final : public ActivityPaneControl<STGEmailDonePane> {
 public:
  STGEmailDonePane();

  STDMETHODIMP ReceiveMessage(BSTR message_id, VARIANT first, VARIANT second, LONG flags, LONG* handled) override;

 private:
  EmailDonePaneWindow& window() noexcept { return static_cast<EmailDonePaneWindow&>(pane_window()); }
};

}  // namespace zozed
