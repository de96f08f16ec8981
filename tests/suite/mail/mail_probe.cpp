// The suite's mail service in a process of its own, for the hand-off tests: GIO reads the
// desktop's folders once per process, and each test case brings its own desktop.
//
//   mail_probe OUTBOX SUBJECT BODY [FILE...]
//
// Starts the suite, sends the files as attachments and prints the mail program the service
// names, whether it would embed, its answer and what became of the message, as "key=value" lines.
#include <cstdio>
#include <string>

#include "host/mail_service.h"
#include "platform/objbase.h"
#include "platform/path_mapping.h"
#include "platform/support/bstr.h"
#include "platform/support/com_ptr.h"
#include "platform/support/safe_array.h"
#include "platform/support/variant.h"
#include "platform/winnls.h"
#include "platform/winreg.h"
#include "suite/host/suite_session.h"

int main(int argc, char** argv) {
  if (argc < 4 || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  int status = 2;
  {
    platform::registry::ScopedStore store;
    suite::SuiteSettings settings;
    settings.mail.outbox = argv[1];
    suite::Session session;
    platform::ComPtr<IMailService> mail;
    platform::Bstr name;
    VARIANT_BOOL embed = VARIANT_FALSE;
    if (SUCCEEDED(session.start(std::move(settings))) &&
        SUCCEEDED(CoCreateInstance(host::CLSID_MailService, nullptr, CLSCTX_ALL, IID_IMailService, mail.put_void())) &&
        SUCCEEDED(mail->GetDefaultClientName(name.put())) && SUCCEEDED(mail->CanEmbedInClient(&embed))) {
      auto array = platform::SafeArray::create_vector(VT_BSTR, 0, static_cast<ULONG>(argc - 4));
      for (LONG i = 0; i + 4 < argc; ++i) {
        const std::u16string path = platform::windows_path_of(argv[i + 4]);
        (void)array.put_element(i, std::u16string_view(path));
      }
      platform::Variant files(std::move(array));
      const HRESULT hr = mail->SendWithAttachments(0, platform::Bstr(platform::from_utf8(argv[2])).get(),
                                                   platform::Bstr(platform::from_utf8(argv[3])).get(), files.get());
      std::printf("name=%s\nembed=%d\nhr=0x%08lX\n", platform::to_utf8(std::u16string(name.view())).c_str(), embed ? 1 : 0,
                  static_cast<unsigned long>(hr));
      for (const auto& sent : session.state().sent_mail)
        std::printf("message=%s\nhanded_to=%s\nhandler=%s\nhow=%s\ncopies=%s\nnot_handed_off=%s\n",
                    sent.message_file.c_str(), sent.handed_to.c_str(), sent.handler_name.c_str(), sent.hand_off.c_str(),
                    sent.attachment_copies.c_str(), sent.not_handed_off.c_str());
      status = FAILED(hr) ? 1 : 0;
    }
    mail.reset();
    session.stop();
  }
  CoUninitialize();
  return status;
}
