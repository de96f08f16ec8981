// The suite's mail service in a process of its own, for the hand-off tests: GIO reads the
// desktop's folders once per process, and each test case brings its own desktop.
//
//   mail_probe OUTBOX SUBJECT BODY [FILE...]
//
// Starts the suite, asks the mail service for its mail program, sends the files as attachments
// and prints what happened as "key=value" lines.
#include <cstdio>
#include <string>
#include <vector>

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

namespace {

int probe(int argc, char** argv) {
  platform::registry::ScopedStore store;
  suite::SuiteSettings settings;
  settings.mail.outbox = argv[1];
  suite::Session session;
  if (FAILED(session.start(std::move(settings)))) return 2;
  int status = 0;
  {
    platform::ComPtr<IMailService> mail;
    if (FAILED(CoCreateInstance(host::CLSID_MailService, nullptr, CLSCTX_ALL, IID_IMailService, mail.put_void())))
      return 2;
    platform::Bstr name;
    VARIANT_BOOL embed = VARIANT_FALSE;
    if (FAILED(mail->GetDefaultClientName(name.put())) || FAILED(mail->CanEmbedInClient(&embed))) return 2;
    std::printf("name=%s\nembed=%d\n", platform::to_utf8(std::u16string(name.view())).c_str(), embed ? 1 : 0);

    auto array = platform::SafeArray::create_vector(VT_BSTR, 0, static_cast<ULONG>(argc - 4));
    for (LONG i = 0; i + 4 < argc; ++i) {
      platform::Bstr path(platform::windows_path_of(argv[i + 4]));
      if (FAILED(SafeArrayPutElement(array.get(), &i, path.get()))) return 2;
    }
    platform::Variant files(std::move(array));
    platform::Bstr subject(platform::from_utf8(argv[2]));
    platform::Bstr body(platform::from_utf8(argv[3]));
    const HRESULT hr = mail->SendWithAttachments(0, subject.get(), body.get(), files.get());
    std::printf("hr=0x%08lX\n", static_cast<unsigned long>(hr));
    if (FAILED(hr)) status = 1;
  }
  for (const auto& sent : session.state().sent_mail) {
    std::printf("message=%s\nhanded_to=%s\nhandler=%s\nhow=%s\ncopies=%s\nnot_handed_off=%s\n", sent.message_file.c_str(),
                sent.handed_to.c_str(), sent.handler_name.c_str(), sent.hand_off.c_str(), sent.attachment_copies.c_str(),
                sent.not_handed_off.c_str());
  }
  session.stop();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: mail_probe OUTBOX SUBJECT BODY [FILE...]\n");
    return 2;
  }
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  const int status = probe(argc, argv);
  CoUninitialize();
  return status;
}
