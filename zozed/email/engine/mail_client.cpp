#include "zozed/email/engine/mail_client.h"

#include <vector>

#include "platform/support/bstr.h"
#include "platform/support/com_error.h"
#include "platform/wide_crt.h"

namespace zozed::email {

using platform::Bstr;
using platform::check;

MailClientState DetectMailClient(IMailService& mail, IClientEnvironment& environment) {
  MailClientState state;
  Bstr name;
  check<IMailService>(mail.GetDefaultClientName(name.put()));
  state.name = std::u16string(name.view());
  if (state.name.empty()) {
    state.no_mail_client = true;
    Bstr shown;
    check<IClientEnvironment>(environment.GetHostString(kNoMailClientName, shown.put()));
    state.name = std::u16string(shown.view());
    return state;
  }
  // The CRT's lower-casing, as the comparison has always been made.
  std::vector<WCHAR> lower(state.name.begin(), state.name.end());
  lower.push_back(u'\0');
  _wcslwr(lower.data());
  const std::u16string_view folded(lower.data(), state.name.size());
  state.can_embed = folded.find(u"outlook") != std::u16string_view::npos;
  if (state.can_embed && folded.find(u"express") == std::u16string_view::npos) {
    VARIANT_BOOL answer = VARIANT_FALSE;
    check<IMailService>(mail.CanEmbedInClient(&answer));
    if (answer == VARIANT_FALSE) state.can_embed = false;
  }
  return state;
}

}  // namespace zozed::email
