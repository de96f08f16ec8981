#include "zozed/email/panes/share_by_email_pane.h"

#include <string>

#include "host/item_tray.h"
#include "host/message_service.h"
#include "host/pane_messages.h"
#include "host/pane_templates.h"
#include "host/skinned_controls.h"
#include "platform/objbase.h"
#include "platform/ole2.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/support/dispatch_driver.h"
#include "platform/sysinfoapi.h"
#include "zozed/email/engine/ansi_attachments.h"
#include "zozed/email/engine/attachment_paths.h"
#include "zozed/email/engine/compose_attachments.h"
#include "zozed/email/engine/dated_folder.h"
#include "zozed/email/engine/host_message.h"
#include "zozed/email/engine/mail_client.h"
#include "zozed/email/engine/preparation_failure.h"
#include "zozed/email/engine/save_for_later.h"
#include "zozed/email/engine/send_message.h"
#include "zozed/email/panes/attachment_size_warning.h"
#include "zozed/email/panes/pane_protocol.h"
#include "zozed/module/class_ids.h"
#include "zozed/module/host_pane_stack.h"
#include "zozed/panes/pane_descriptions.h"
#include "zozed/toolkit/ax_host_window.h"
#include "zozed/toolkit/host_template.h"
#include "zozed/toolkit/skinned_child.h"

namespace zozed::email {
namespace {

using platform::ComPtr;
using platform::Variant;
using toolkit::SkinnedChild;

constexpr int kBackButton = 11111;
constexpr int kSendButton = 11113;
constexpr int kLeaveButton = 11114;
constexpr int kHeading = 1161;
constexpr int kSendNowChoice = 1318;
constexpr int kSaveForLaterChoice = 1319;
constexpr int kEmbedBox = 1490;
constexpr int kTray = 104;
constexpr int kEventControls[] = {kBackButton, kSendButton, kLeaveButton, kSendNowChoice, kSaveForLaterChoice,
                                  kEmbedBox, kTray};

constexpr LONG kBackText = 62471;
constexpr LONG kSendText = 61668;
constexpr LONG kSaveText = 61937;
constexpr LONG kLeaveText = 62473;
constexpr LONG kHeadingText = 62278;
constexpr LONG kSendNowText = 62279;
constexpr LONG kSaveForLaterText = 62280;
constexpr LONG kEmbedText = 62557;
constexpr LONG kTrayCaption = 62553;
constexpr LONG kNoClientText = 62576;
constexpr LONG kNoClientDetail = 62577;
constexpr LONG kPaneTitle = 62228;

// Sent by the host when the e-mail options were changed elsewhere.
constexpr UINT kHostPrivateMessage = 0x8073;
constexpr WPARAM kOptionsChanged = 9;

std::unique_ptr<PaneWindow> make_window() {
  auto window = std::make_unique<ShareByEmailWindow>();
  for (const LayoutGroup& group : pane_description(CLSID_STGShareByEmail)->groups)
    window->add_group(group.items, group.count, group.flags);
  window->bind_child_events(kEventControls);
  return window;
}

std::u16string decimal(LONG number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

// The VT_BYREF | VT_BOOL answer among an event's arguments.
VARIANT_BOOL* answer_of(const DISPPARAMS& args) {
  for (UINT i = 0; i < args.cArgs; ++i)
    if (args.rgvarg[i].vt == (VT_BYREF | VT_BOOL)) return args.rgvarg[i].pboolVal;
  return nullptr;
}

}  // namespace

ShareByEmailWindow::ShareByEmailWindow() : PaneWindow(u"STGShareByEmail") {
  // A pane outside a running host still builds; it then sends nothing.
  (void)CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                         environment_.put_void());
  ComPtr<IUnknown> service;
  if (SUCCEEDED(CoCreateInstance(host::CLSID_MailService, nullptr, CLSCTX_ALL, IID_IUnknown, service.put_void())) &&
      SUCCEEDED(OleRun(service.get())))
    (void)service->QueryInterface(IID_IMailService, mail_.put_void());
}

IClientEnvironment& ShareByEmailWindow::environment() const {
  if (!environment_) throw platform::ComError(REGDB_E_CLASSNOTREG, IID_IClientEnvironment);
  return *environment_.get();
}

std::u16string ShareByEmailWindow::text(LONG id) const { return toolkit::host_text(environment(), id); }

ComPtr<IDispatch> ShareByEmailWindow::tray_control() const {
  ComPtr<IDispatch> tray;
  if (auto control = toolkit::ax_window_control(GetDlgItem(hwnd(), kTray)))
    (void)control->QueryInterface(IID_IDispatch, tray.put_void());
  return tray;
}

void ShareByEmailWindow::ReportProgress(LONG percent) {
  HostPaneStack::open().report_progress(percent);
  // The conversion dispatches pending messages between pictures; keep the wait visible.
  if (busy_cursor_) SetCursor(busy_cursor_);
}

// ---- window messages and events ------------------------------------------------------------

bool ShareByEmailWindow::OnMessage(UINT message, WPARAM wparam, LPARAM, INT_PTR&) {
  // Nothing raised by the host may cross the dialog procedure; a failed step leaves the pane usable.
  (void)platform::com_boundary([&] {
    switch (message) {
      case WM_INITDIALOG:
        initialise();
        break;
      case WM_SHOWWINDOW:
        if (wparam) shown();
        else hidden();
        break;
      case WM_DESTROY:
        destroyed();
        break;
      case kHostPrivateMessage:
        if (wparam == kOptionsChanged) options_.Load();
        break;
      default:
        break;
    }
    return S_OK;
  });
  return false;
}

void ShareByEmailWindow::OnChildEvent(int control_id, DISPID event, const DISPPARAMS& args) {
  const auto keep = ComPtr<IUnknown>::borrow(owner_);
  if (control_id == kTray) {
    switch (event) {
      case host::kTrayEventContextMenu:
        // The host's tray menu (10590) is a menu resource shown as a popup; the environment
        // serves dialog resources only and the platform has no popup menus, so none is offered.
        break;
      case host::kTrayEventContentsChanged:
        tray_contents_changed();
        break;
      case host::kTrayEventCanDrop:
        if (VARIANT_BOOL* answer = answer_of(args)) *answer = VARIANT_TRUE;
        break;
      default:
        break;
    }
    return;
  }
  if (event != host::kEventClick) return;
  switch (control_id) {
    case kBackButton:
      back();
      break;
    case kSendButton:
      send();
      break;
    case kLeaveButton:
      leave();
      break;
    case kSendNowChoice:
      choose_mode(true);
      break;
    case kSaveForLaterChoice:
      choose_mode(false);
      break;
    case kEmbedBox:
      embed_box_clicked();
      break;
    default:
      break;
  }
}

// ---- initialisation, showing, messages ----------------------------------------------------

void ShareByEmailWindow::initialise() {
  busy_cursor_ = toolkit::host_busy_cursor(environment_.get());
  SkinnedChild(hwnd(), kEmbedBox).set_text(text(kEmbedText));
  SkinnedChild(hwnd(), kHeading).set_text(text(kHeadingText));
  SkinnedChild(hwnd(), kSendNowChoice).set_text(text(kSendNowText));
  SkinnedChild(hwnd(), kSaveForLaterChoice).set_text(text(kSaveForLaterText));

  no_mail_client_ = true;
  client_can_embed_ = false;
  if (mail_) {
    const MailClientState client = DetectMailClient(*mail_.get(), environment());
    no_mail_client_ = client.no_mail_client;
    client_can_embed_ = client.can_embed;
    if (!no_mail_client_)
      SkinnedChild(hwnd(), kSendNowChoice).set_text(text(kSendNowText) + u" (" + client.name + u")");
  }

  options_.Load();
  send_now_ = !options_.save_for_later_sending;
  show_mode();

  SkinnedChild embed(hwnd(), kEmbedBox);
  embed.set_state(client_can_embed_ && options_.embed_in_html ? host::kCheckTicked : host::kCheckClear);
  embed_on_ = embed.state() == host::kCheckTicked;
  embed.set_enabled(false);  // no items yet

  SkinnedChild(hwnd(), kBackButton).set_text(text(kBackText));
  SkinnedChild(hwnd(), kSendButton).set_default_button(true);
  SkinnedChild(hwnd(), kLeaveButton).set_text(text(kLeaveText));
  OnLayout();
}

// The mode on the two choices and the Send button (text and tooltip).
void ShareByEmailWindow::show_mode() {
  SkinnedChild(hwnd(), kSendNowChoice).set_state(send_now_ ? host::kChoiceSelected : 0);
  SkinnedChild(hwnd(), kSaveForLaterChoice).set_state(send_now_ ? 0 : host::kChoiceSelected);
  const std::u16string caption = text(send_now_ ? kSendText : kSaveText);
  SkinnedChild send(hwnd(), kSendButton);
  send.set_text(caption);
  send.set_tooltip(caption);
}

void ShareByEmailWindow::shown() {
  options_.Load();
  send_now_ = !options_.save_for_later_sending;
  show_mode();
  if (activated_) {
    refresh_tray();
    apply_embed_box();
  }
  const Variant caption(text(kTrayCaption));
  (void)platform::invoke_method(HostPaneStack::open().item_tray().get(), host::kTraySetCaption, {caption.get()});
}

void ShareByEmailWindow::hidden() {
  const Variant link(host::kTrayLinkEmailPanes);
  (void)platform::invoke_method(HostPaneStack::open().item_tray().get(), host::kTrayReleaseLink, {link.get()});
}

void ShareByEmailWindow::destroyed() {
  auto view = std::move(tray_view_);
  if (!view) return;
  const Variant closing(view);
  (void)platform::invoke_method(HostPaneStack::open().item_tray().get(), host::kTrayCloseView, {closing.get()});
}

void ShareByEmailWindow::Receive(std::u16string_view id, const VARIANT& value, const VARIANT& extra) {
  if (id == host::kReturnToCaller) {
    return_to_caller_ = true;
  } else if (id == host::kCameFromPane) {
    came_from_pane_ = true;
  } else if (id == host::kItemsAndStep) {
    items_and_step(value, extra);
  }
}

void ShareByEmailWindow::items_and_step(const VARIANT& value, const VARIANT& extra) {
  activated_ = true;
  const toolkit::CursorScope busy(busy_cursor_);
  AttachmentComposition composed =
      ComposeAttachmentList(value, options_, client_can_embed_, this, environment(), hwnd());
  StoreItemList(*items_.put(), composed.attachments);
  items_can_embed_ = composed.items_can_embed;
  refresh_tray();
  // Nothing prepared, nothing to send: an empty tray disables Send however it became empty.
  enable_send(!composed.attachments.empty());
  if (!tray_view_) {
    const Variant kind(host::kTrayViewKindItems);
    const Variant view = platform::invoke_method(HostPaneStack::open().item_tray().get(), host::kTrayOpenView, {kind.get()});
    if (auto dispatch = view.as_dispatch()) tray_view_ = std::move(*dispatch);
  }
  if (!came_from_pane_) SkinnedChild(hwnd(), kBackButton).set_state(host::kButtonNotAvailable);
  if (extra.vt == VT_I4) {
    step_ = extra.lVal;
    SkinnedChild(hwnd(), kHeading).set_image(u"BulletButton" + decimal(step_));
  }
  if (HWND send = GetDlgItem(hwnd(), kSendButton)) SetFocus(send);
  apply_embed_box();
  OnLayout();
}

void ShareByEmailWindow::apply_embed_box() {
  SkinnedChild embed(hwnd(), kEmbedBox);
  if (!items_can_embed_) {
    embed.set_state(host::kCheckClear);
    embed_on_ = embed.state() == host::kCheckTicked;
    embed.set_enabled(false);
    return;
  }
  embed.set_state(embed_on_ ? host::kCheckTicked : host::kCheckClear);
  embed.set_enabled(send_now_);
}

// The items the pane works on, in the pane's tray and in the host's under the e-mail panes' link
// (which hiding the pane releases).
void ShareByEmailWindow::refresh_tray() {
  if (auto tray = tray_control()) platform::put_property(tray.get(), host::kTrayItems, *items_.get());
  const auto host_tray = HostPaneStack::open().item_tray();
  platform::put_property(host_tray.get(), host::kTrayItems, *items_.get());
  platform::put_property(host_tray.get(), host::kTrayLinkedPane, *Variant(host::kTrayLinkEmailPanes).get());
}

void ShareByEmailWindow::enable_send(bool any_item) {
  SkinnedChild(hwnd(), kSendButton).set_state(any_item ? host::kButtonNormal : host::kButtonNotAvailable);
}

void ShareByEmailWindow::tray_contents_changed() {
  const auto tray = tray_control();
  if (!tray) return;
  const Variant now = platform::get_property(tray.get(), host::kTrayItems);
  const LONG count = platform::get_property(tray.get(), host::kTrayCount).as_long().value_or(0);
  enable_send(count != 0);
  HostPaneStack stack = HostPaneStack::open();
  platform::put_property(stack.item_tray().get(), host::kTrayItems, *now.get());
  if (tray_view_) (void)platform::invoke_method(tray_view_.get(), host::kTrayViewRefresh);
  BroadcastTrayChanged(stack, *now.get());
}

// ---- the user's choices -------------------------------------------------------------------

void ShareByEmailWindow::choose_mode(bool send_now) {
  send_now_ = send_now;
  show_mode();
  options_.save_for_later_sending = !send_now;
  options_.Save();
  if (!items_can_embed_) return;
  SkinnedChild embed(hwnd(), kEmbedBox);
  if (send_now) embed.set_state(embed_on_ ? host::kCheckTicked : host::kCheckClear);
  embed.set_enabled(send_now);
}

void ShareByEmailWindow::embed_box_clicked() {
  embed_on_ = SkinnedChild(hwnd(), kEmbedBox).state() == host::kCheckTicked;
  options_.embed_in_html = embed_on_;
  options_.Save();
}

void ShareByEmailWindow::back() {
  HostPaneStack stack = HostPaneStack::open();
  if (came_from_pane_) stack.back();
  else stack.end();
}

void ShareByEmailWindow::leave() {
  HostPaneStack stack = HostPaneStack::open();
  if (return_to_caller_) stack.return_to_caller();
  else stack.end();
}

void ShareByEmailWindow::show_message(LONG text_id, LONG further_id) {
  (void)ShowHostMessage(environment(), hwnd(), text_id, further_id, host::kButtonsOk);
}

// ---- sending ------------------------------------------------------------------------------

void ShareByEmailWindow::send() {
  const toolkit::CursorScope busy(busy_cursor_);
  // Items the user took out of the tray are not sent.
  if (auto tray = tray_control()) {
    const Variant now = platform::get_property(tray.get(), host::kTrayItems);
    StoreItemList(*items_.put(), ReadItemList(*now.get()));
  }
  const ItemList items = ReadItemList(*items_.get());
  options_.Load();
  if (!send_now_) {
    finish(save_for_later(items));
    return;
  }
  if (send_now(items)) finish(u"");
}

std::u16string ShareByEmailWindow::save_for_later(const ItemList& items) {
  SYSTEMTIME today{};
  GetLocalTime(&today);
  const auto folder = MakeDatedFolder(options_.save_location, today);
  if (!folder || !SaveItemsForLater(items, *folder).complete) ReportPreparationFailure(environment(), hwnd());
  return folder.value_or(u"");
}

// False when the pane stays: no mail program, the size warning refused, or the attachments
// could not be given names the mail hand-off carries.
bool ShareByEmailWindow::send_now(const ItemList& items) {
  if (no_mail_client_ || !mail_) {
    show_message(kNoClientText, kNoClientDetail);
    return false;
  }
  if (options_.warn_about_attachment_size) {
    const LONG total = AttachmentTotalKB(items);
    if (static_cast<DWORD>(total) > options_.attachment_size_limit) {
      AttachmentSizeWarning warning(options_, options_.attachment_size_limit, total);
      if (warning.Ask(hwnd()) != AttachmentSizeWarning::kContinue) return false;
    }
  }
  Variant paths;
  BuildAttachmentPaths(items, *paths.put());
  if (!embed_on_ && !PrepareAnsiAttachments(*paths.get(), items, environment(), hwnd())) return false;
  const LONG host_handle = HostPaneStack::open().host_handle();
  try {
    SendMessage(*mail_.get(), environment(), host_handle, *paths.get(), embed_on_);
  } catch (const platform::ComError& error) {
    // The mail program refusing the message still ends the task.
    if (!IsEqualGUID(error.iid(), IID_IMailService)) throw;
  }
  return true;
}

void ShareByEmailWindow::finish(std::u16string_view folder) {
  HostPaneStack stack = HostPaneStack::open();
  PaneHandOff hand_off;
  hand_off.return_to_caller = return_to_caller_;
  hand_off.items = items_.get();
  hand_off.step = step_ + 1;
  hand_off.outcome = SendOutcome{static_cast<SHORT>(send_now_ ? 0 : -1), std::u16string(folder)};
  (void)ShowNextPane(stack, kEmailDonePaneClsid, text(kPaneTitle), hand_off);
}

// ---- the control --------------------------------------------------------------------------

STGShareByEmail::STGShareByEmail()
    : ActivityPaneControl(make_window(), host::kTemplateShareByEmail),
      window_(static_cast<ShareByEmailWindow*>(&pane_window())) {
  window_->set_owner(identity());
}

STDMETHODIMP STGShareByEmail::ReceiveMessage(BSTR message_id, VARIANT first, VARIANT second, LONG, LONG* handled) {
  if (!handled) return E_POINTER;
  *handled = 1;
  return platform::com_boundary([&] {
    const std::u16string_view id = message_id ? std::u16string_view(message_id, SysStringLen(message_id)) : u"";
    window_->Receive(id, first, second);
    return S_OK;
  });
}

}  // namespace zozed::email
