// AttachmentSizeWarning: the modal question asked before attachments above the size limit are
// sent; its don't-warn-again box changes the e-mail options at once.
#pragma once

#include "platform/windef.h"
#include "zozed/email/engine/email_share_options.h"
#include "zozed/toolkit/dialog_frame.h"

namespace zozed::email {

class AttachmentSizeWarning final : public toolkit::DialogFrame {
 public:
  static constexpr INT_PTR kContinue = 1;
  static constexpr INT_PTR kCancel = 2;

  // `options` is saved whenever the don't-warn-again box is toggled.
  AttachmentSizeWarning(EmailShareOptions& options, DWORD limit_kb, LONG total_kb)
      : options_(options), limit_kb_(limit_kb), total_kb_(total_kb) {}

  // kContinue or kCancel (closing the dialog cancels); -1 when the dialog cannot be built.
  INT_PTR Ask(HWND owner);

 protected:
  void OnInitDialog() override;
  void OnChildEvent(int control_id, DISPID event, const DISPPARAMS& args) override;

 private:
  void fill_texts();

  EmailShareOptions& options_;
  DWORD limit_kb_;
  LONG total_kb_;
};

}  // namespace zozed::email
