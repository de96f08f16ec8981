#include "zozed/email/engine/host_message.h"

#include "host/message_service.h"
#include "platform/objbase.h"
#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/support/com_ptr.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;

LONG ShowHostMessage(IClientEnvironment& environment, HWND owner, LONG text_id, LONG detail_id, LONG buttons) {
  Bstr text;
  Bstr detail;
  check<IClientEnvironment>(environment.GetHostString(text_id, text.put()));
  check<IClientEnvironment>(environment.GetHostString(detail_id, detail.put()));
  platform::ComPtr<IMessageService> messages;
  check<IMessageService>(CoCreateInstance(host::CLSID_MessageService, nullptr, CLSCTX_SERVER, IID_IMessageService,
                                          messages.put_void()));
  const Bstr caption(u"");
  LONG answer = 0;
  check<IMessageService>(messages->ShowMessage(owner, text.get(), caption.get(), detail.get(), buttons, &answer));
  return answer;
}

}  // namespace zozed::email
