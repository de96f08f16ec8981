#include "zozed/email/panes/attachment_size_warning.h"

#include "host/pane_templates.h"
#include "host/skinned_controls.h"
#include "platform/support/com_error.h"
#include "platform/wide_crt.h"
#include "zozed/toolkit/skinned_child.h"

namespace zozed::email {
namespace {

constexpr int kContinueButton = 1364;
constexpr int kCancelButton = 1365;
constexpr int kDontWarnBox = 1411;

constexpr LONG kTitle = 62288;

struct ControlText {
  int control;
  LONG text;
};
constexpr ControlText kTexts[] = {
    {kContinueButton, 61851}, {kCancelButton, 61852}, {kDontWarnBox, 62286},
    {1412, 62287},            {1413, 62583},          {1414, 62582},
};
constexpr int kLimitText = 1415;
constexpr LONG kLimitFormat = 62586;
constexpr int kTotalText = 1417;
constexpr LONG kTotalFormat = 62585;

}  // namespace

INT_PTR AttachmentSizeWarning::Ask(HWND owner) { return Run(owner, host::kTemplateAttachmentSizeWarning); }

void AttachmentSizeWarning::OnInitDialog() {
  // A text the host cannot give leaves the rest of the dialog usable.
  (void)platform::com_boundary([&] {
    fill_texts();
    return S_OK;
  });
}

void AttachmentSizeWarning::fill_texts() {
  IClientEnvironment& environment = *this->environment();
  SetWindowTextW(hwnd(), toolkit::host_text(environment, kTitle).c_str());
  for (const ControlText& entry : kTexts)
    toolkit::SkinnedChild(hwnd(), entry.control).set_text(toolkit::host_text(environment, entry.text));
  toolkit::SkinnedChild(hwnd(), kDontWarnBox)
      .set_state(options_.warn_about_attachment_size ? host::kCheckClear : host::kCheckTicked);
  toolkit::SkinnedChild(hwnd(), kLimitText)
      .set_text(platform::format_host_text(toolkit::host_text(environment, kLimitFormat), static_cast<LONG>(limit_kb_)));
  toolkit::SkinnedChild(hwnd(), kTotalText)
      .set_text(platform::format_host_text(toolkit::host_text(environment, kTotalFormat), total_kb_));
}

void AttachmentSizeWarning::OnChildEvent(int control_id, DISPID event, const DISPPARAMS&) {
  if (event != host::kEventClick) return;
  switch (control_id) {
    case kContinueButton:
      End(kContinue);
      break;
    case kCancelButton:
      End(kCancel);
      break;
    case kDontWarnBox:
      options_.warn_about_attachment_size = toolkit::SkinnedChild(hwnd(), kDontWarnBox).state() != host::kCheckTicked;
      options_.Save();
      break;
    default:
      break;
  }
}

}  // namespace zozed::email
