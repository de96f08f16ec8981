#include "zozed/email/engine/message_texts.h"

#include "platform/support/bstr.h"
#include "platform/support/com_error.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;

MessageTexts DefaultMessageTexts(IClientEnvironment& environment) {
  Bstr subject;
  Bstr body;
  check<IClientEnvironment>(environment.GetHostString(kMessageSubjectString, subject.put()));
  check<IClientEnvironment>(environment.GetHostString(kMessageBodyString, body.put()));
  return {std::u16string(subject.view()), std::u16string(body.view())};
}

}  // namespace zozed::email
