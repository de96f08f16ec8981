#include "zozed/email/engine/preparation_failure.h"

#include "host/message_service.h"
#include "platform/objbase.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/support/com_ptr.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;

void ReportPreparationFailure(IClientEnvironment& environment, HWND parent) {
  Bstr text;
  Bstr detail;
  check<IClientEnvironment>(environment.GetHostString(kPreparationFailedText, text.put()));
  check<IClientEnvironment>(environment.GetHostString(kPreparationFailedDetail, detail.put()));
  platform::ComPtr<IMessageService> messages;
  check<IMessageService>(CoCreateInstance(host::CLSID_MessageService, nullptr, CLSCTX_SERVER, IID_IMessageService,
                                          messages.put_void()));
  const Bstr caption(u"");
  LONG answer = 0;
  check<IMessageService>(messages->ShowMessage(parent, text.get(), caption.get(), detail.get(), host::kButtonsOk, &answer));
}

}  // namespace zozed::email
