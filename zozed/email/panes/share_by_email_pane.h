// STGShareByEmail: the pane on which the user sends the prepared items, handed to the mail
// program at once or copied into a dated folder to send later, before the finished pane.
#pragma once

#include <string_view>

#include "host/activity_component.h"
#include "host/environment.h"
#include "host/mail_service.h"
#include "platform/support/com_ptr.h"
#include "platform/support/variant.h"
#include "zozed/email/engine/email_share_options.h"
#include "zozed/email/engine/item_list.h"
#include "zozed/email/engine/preparation_progress.h"
#include "zozed/panes/activity_pane_control.h"
#include "zozed/panes/pane_window.h"

namespace zozed::email {

inline constexpr char16_t kEmailDonePaneClsid[] = u"{A24E2C56-F1EF-442C-BCF7-085A580B777F}";

class ShareByEmailWindow final : public PaneWindow, public PreparationProgress {
 public:
  ShareByEmailWindow();

  // A pane message; unknown ids are ignored. Raises ComError on a failing host call.
  void Receive(std::u16string_view id, const VARIANT& value, const VARIANT& extra);
  // The control the window belongs to, kept alive while a user action runs (Back and Leave
  // make the host let go of the pane).
  void set_owner(IUnknown* owner) noexcept { owner_ = owner; }

  void ReportProgress(LONG percent) override;

 protected:
  void OnChildEvent(int control_id, DISPID event, const DISPPARAMS& args) override;
  bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) override;

 private:
  IClientEnvironment& environment() const;
  std::u16string text(LONG id) const;
  platform::ComPtr<IDispatch> tray_control() const;

  void initialise();
  void items_and_step(const VARIANT& value, const VARIANT& extra);
  void shown();
  void hidden();
  void destroyed();
  void refresh_tray();
  void enable_send(bool any_item);
  void tray_contents_changed();
  void choose_mode(bool send_now);
  void show_mode();
  void embed_box_clicked();
  // The embed box as the attachments allow: cleared and disabled when they cannot be embedded.
  void apply_embed_box();
  void send();
  bool send_now(const ItemList& items);
  std::u16string save_for_later(const ItemList& items);
  void finish(std::u16string_view folder);
  void back();
  void leave();
  void show_message(LONG text, LONG further);

  platform::ComPtr<IClientEnvironment> environment_;
  platform::ComPtr<IMailService> mail_;
  EmailShareOptions options_;
  HCURSOR busy_cursor_ = nullptr;
  IUnknown* owner_ = nullptr;

  bool activated_ = false;
  bool came_from_pane_ = false;
  bool return_to_caller_ = false;
  bool send_now_ = true;
  bool no_mail_client_ = false;
  bool client_can_embed_ = false;
  bool items_can_embed_ = false;
  bool embed_on_ = true;
  LONG step_ = 0;
  platform::Variant items_;
  platform::ComPtr<IDispatch> tray_view_;
};

class STGShareByEmail final : public ActivityPaneControl<STGShareByEmail> {
 public:
  STGShareByEmail();

  STDMETHODIMP ReceiveMessage(BSTR message_id, VARIANT first, VARIANT second, LONG flags, LONG* handled) override;

 private:
  ShareByEmailWindow* window_;  // owned by the base
};

}  // namespace zozed::email
