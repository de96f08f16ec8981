#include "zozed/email/panes/email_done_pane.h"

#include <optional>
#include <string>

#include "host/environment.h"
#include "host/item_tray.h"
#include "host/pane_messages.h"
#include "host/skinned_controls.h"
#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/com_error.h"
#include "platform/support/dispatch_driver.h"
#include "zozed/email/panes/folder_saved_dialog.h"
#include "zozed/module/class_ids.h"
#include "zozed/module/host_pane_stack.h"
#include "zozed/panes/pane_descriptions.h"
#include "zozed/toolkit/skinned_child.h"

namespace zozed {
namespace {

using platform::ComPtr;
using platform::Variant;
using toolkit::SkinnedChild;

constexpr int kHeading = 1384;
constexpr int kTray = 104;
constexpr int kBackButton = 11111;
constexpr int kSecondButton = 11112;
constexpr int kDoneButton = 11113;
constexpr int kLeaveButton = 11114;
constexpr int kButtons[] = {kBackButton, kDoneButton, kLeaveButton};

constexpr LONG kTrayCaptionText = 61812;
constexpr LONG kHeadingText = 62251;
constexpr LONG kHandedOffText = 62284;
constexpr LONG kSavedForLaterText = 62285;
constexpr LONG kBackText = 62471;
constexpr LONG kDoneText = 62472;
constexpr LONG kLeaveText = 62473;

// SendOutcome values.
constexpr LONG kHandedToMailClient = 0;
constexpr LONG kSavedForLater = -1;

// The host's texts by number, through one environment for a handler.
class HostTexts {
 public:
  HostTexts() {
    platform::check<IClientEnvironment>(CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL,
                                                         IID_IClientEnvironment, environment_.put_void()));
  }
  std::u16string operator()(LONG id) const { return toolkit::host_text(*environment_.get(), id); }

 private:
  ComPtr<IClientEnvironment> environment_;
};

// Each step of a handler on its own: a host that refuses one leaves the others done.
template <class Step>
void quietly(Step&& step) noexcept {
  (void)platform::com_boundary([&] {
    step();
    return S_OK;
  });
}

std::unique_ptr<PaneWindow> make_window() {
  const PaneDescription& description = *pane_description(CLSID_STGEmailDonePane);
  auto window = std::make_unique<EmailDonePaneWindow>(description.key);
  for (const LayoutGroup& group : description.groups) window->add_group(group.items, group.count, group.flags);
  return window;
}

// A number the sender may have widened or passed by reference; none when it is no number.
std::optional<LONG> number_of(const VARIANT& value) {
  Variant number;
  if (FAILED(VariantChangeType(number.put(), &value, 0, VT_I4))) return std::nullopt;
  return number.as_long();
}

std::u16string decimal(LONG number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string text_of(const VARIANT& value) {
  Variant text;
  if (FAILED(VariantChangeType(text.put(), &value, 0, VT_BSTR))) return {};
  return std::u16string(text.as_bstr().value_or(u""));
}

}  // namespace

EmailDonePaneWindow::EmailDonePaneWindow(std::u16string pane_key) : PaneWindow(std::move(pane_key)) {
  bind_child_events(kButtons);
}

bool EmailDonePaneWindow::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR&) {
  if (message == WM_INITDIALOG) initialise();
  return false;
}

void EmailDonePaneWindow::initialise() {
  quietly([] {
    const Variant caption(HostTexts()(kTrayCaptionText));
    const auto tray = HostPaneStack::open().item_tray();
    (void)platform::invoke_method(tray.get(), host::kTraySetCaption, {caption.get()});
  });
  quietly([&] {
    const HostTexts text;
    SkinnedChild(hwnd(), kHeading).set_text(text(kHeadingText));
    SkinnedChild(hwnd(), kBackButton).set_text(text(kBackText));
    SkinnedChild done(hwnd(), kDoneButton);
    done.set_text(text(kDoneText));
    done.set_default_button(true);
    SkinnedChild leave(hwnd(), kLeaveButton);
    leave.set_text(text(kLeaveText));
    leave.set_state(host::kButtonNotAvailable);
  });
  OnLayout();
  SetFocus(GetDlgItem(hwnd(), kDoneButton));
}

void EmailDonePaneWindow::items_and_step(const VARIANT& items, const VARIANT& step) {
  Variant copy;
  platform::check<IDispatch>(VariantCopyInd(copy.put(), &items));
  items_ = std::move(copy);
  quietly([&] {
    if (IDispatch* tray = SkinnedChild(hwnd(), kTray).dispatch())
      platform::put_property(tray, host::kTrayItems, *items_.get());
  });
  if (step.vt == VT_I4) {
    step_ = step.lVal;
    quietly([&] { SkinnedChild(hwnd(), kHeading).set_image(u"BulletButton" + decimal(step_)); });
  }
  if (HWND second = GetDlgItem(hwnd(), kSecondButton)) SetFocus(second);
}

void EmailDonePaneWindow::send_outcome(const VARIANT& outcome, const VARIANT& folder) {
  const std::optional<LONG> value = number_of(outcome);
  quietly([&] {
    const HostTexts text;
    const LONG detail = value == kHandedToMailClient ? kHandedOffText : kSavedForLaterText;
    SkinnedChild(hwnd(), kHeading).set_text(text(kHeadingText) + text(detail));
  });
  // The heading may now need another height.
  OnLayout();
  if (value == kSavedForLater) {
    FolderSavedDialog dialog(text_of(folder));
    (void)dialog.Run(GetActiveWindow());
  }
}

void EmailDonePaneWindow::OnChildEvent(int control_id, DISPID event, const DISPPARAMS&) {
  if (event != host::kEventClick) return;
  // Leaving makes the host let go of the pane, perhaps for the last time, while this runs.
  const auto keep = ComPtr<IUnknown>::borrow(owner_);
  quietly([&] {
    switch (control_id) {
      case kBackButton:
        HostPaneStack::open().back();
        break;
      case kDoneButton:
      case kLeaveButton:
        if (return_to_caller_)
          HostPaneStack::open().return_to_caller();
        else
          HostPaneStack::open().end();
        break;
      default:
        break;
    }
  });
}

STGEmailDonePane::STGEmailDonePane()
    : ActivityPaneControl<STGEmailDonePane>(make_window(), pane_description(CLSID_STGEmailDonePane)->template_id) {
  window().set_owner(static_cast<IActivityComponent*>(this));
}

STDMETHODIMP STGEmailDonePane::ReceiveMessage(BSTR message_id, VARIANT first, VARIANT second, LONG, LONG* handled) {
  if (!handled) return E_POINTER;
  *handled = 1;
  return platform::com_boundary([&] {
    const std::u16string_view message(message_id ? message_id : u"", message_id ? SysStringLen(message_id) : 0);
    if (message == host::kReturnToCaller)
      window().return_to_caller();
    else if (message == host::kItemsAndStep)
      window().items_and_step(first, second);
    else if (message == host::kSendOutcome)
      window().send_outcome(first, second);
    return S_OK;
  });
}

}  // namespace zozed
