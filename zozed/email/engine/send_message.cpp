#include "zozed/email/engine/send_message.h"

#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "zozed/email/engine/message_texts.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;

void SendMessage(IMailService& mail, IClientEnvironment& environment, LONG host_handle, VARIANT& paths,
                 bool embed) {
  const MessageTexts texts = DefaultMessageTexts(environment);
  const Bstr subject(texts.subject);
  const Bstr body(texts.body);
  if (embed)
    check<IMailService>(mail.SendEmbeddedInHtml(host_handle, subject.get(), body.get(), &paths));
  else
    check<IMailService>(mail.SendWithAttachments(host_handle, subject.get(), body.get(), &paths));
}

}  // namespace zozed::email
