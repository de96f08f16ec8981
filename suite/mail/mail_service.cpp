// The suite's mail service: writes each message handed to it as a real MIME message (.eml) into
// the outbox folder and, when the desktop's mail program can be given files, opens its compose
// window with the subject, the body and copies of the files kept beside the message.
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <span>
#include <system_error>

#include "host/mail_service.h"
#include "platform/command_start.h"
#include "platform/oleauto.h"
#include "platform/path_mapping.h"
#include "platform/support/dispatch_object.h"
#include "platform/support/reg_key.h"
#include "platform/support/safe_array.h"
#include "platform/winnls.h"
#include "platform/winreg.h"
#include "suite/host/suite_objects.h"
#include "suite/mail/compose_command.h"
#include "suite/mail/mail_client.h"
#include "suite/mail/mime_composer.h"
#include "suite/mail/outbox.h"

namespace suite {
namespace {

namespace fs = std::filesystem;
using platform::DispatchCall;
using platform::DispatchMember;

std::u16string text_of(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

// Windows reports a file that cannot be read as missing or as refused.
DWORD read_error(int error_number) {
  const DWORD error = mail::win32_error_of(error_number);
  return error == ERROR_ACCESS_DENIED || error == ERROR_PATH_NOT_FOUND ? error : ERROR_FILE_NOT_FOUND;
}

class MailService final : public platform::DispatchObject<MailService, platform::Chain<IMailService, IDispatch>> {
 public:
  explicit MailService(std::shared_ptr<SuiteState> state)
      : state_(std::move(state)),
        client_(mail::detect_mail_client(state_->settings.mail.client_name, state_->settings.mail.client_can_embed)) {}

  STDMETHODIMP SendWithAttachments(LONG, BSTR subject, BSTR body, VARIANT* paths) override {
    return send(false, subject, body, paths);
  }
  STDMETHODIMP SendEmbeddedInHtml(LONG, BSTR subject, BSTR body, VARIANT* paths) override {
    return send(true, subject, body, paths);
  }
  STDMETHODIMP GetDefaultClientName(BSTR* name) override {
    if (!name) return E_POINTER;
    *name = SysAllocStringLen(client_.name.data(), static_cast<UINT>(client_.name.size()));
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  STDMETHODIMP CanEmbedInClient(VARIANT_BOOL* can_embed) override {
    if (!can_embed) return E_POINTER;
    // A compose window takes the pictures as attachments only.
    *can_embed = client_.can_embed && !client_.name.empty() && !opens_compose_window() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  static std::span<const DispatchMember<MailService>> dispatch_members() { return {}; }

 private:
  static std::vector<std::u16string> paths_of(const VARIANT* paths) {
    std::vector<std::u16string> out;
    if (!paths || paths->vt == VT_EMPTY) return out;
    if (paths->vt != (VT_ARRAY | VT_BSTR) || !paths->parray || SafeArrayGetDim(paths->parray) != 1)
      throw platform::ComError(E_INVALIDARG, IID_IMailService);
    LONG lower = 0;
    LONG upper = -1;
    platform::check<IMailService>(SafeArrayGetLBound(paths->parray, 1, &lower));
    platform::check<IMailService>(SafeArrayGetUBound(paths->parray, 1, &upper));
    for (LONG i = lower; i <= upper; ++i) {
      BSTR path = nullptr;
      platform::check<IMailService>(SafeArrayGetElement(paths->parray, &i, &path));
      out.push_back(text_of(path));
      SysFreeString(path);
    }
    return out;
  }

  HRESULT send(bool embedded, BSTR subject, BSTR body, VARIANT* paths) {
    return platform::com_boundary([&]() -> HRESULT {
      if (!state_->running) return E_UNEXPECTED;
      if (client_.name.empty()) return HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED);
      SentMail sent;
      sent.embedded = embedded;
      sent.subject = text_of(subject);
      sent.body = text_of(body);
      sent.paths = paths_of(paths);
      mail::MailContent content{platform::to_utf8(sent.subject), platform::to_utf8(sent.body), {}, embedded, sender()};
      for (const auto& path : sent.paths) {
        DWORD error = 0;
        auto posix = platform::posix_path_of(path, &error);
        if (!posix) return HRESULT_FROM_WIN32(error ? error : ERROR_PATH_NOT_FOUND);
        content.files.push_back(*posix);
      }
      // Every file is read before anything is written: a missing one leaves no message behind.
      std::string message;
      try {
        message = mail::compose_message(content);
      } catch (const mail::MailError& e) {
        return HRESULT_FROM_WIN32(read_error(e.error_number()));
      }
      const std::time_t now = std::time(nullptr);
      std::tm local{};
      localtime_r(&now, &local);
      const auto& settings = state_->settings.mail;
      try {
        // Absolute, as the compose command hands the copies beside the message over by path.
        const fs::path outbox = fs::absolute(settings.outbox.empty() ? mail::default_outbox() : fs::path(settings.outbox));
        sent.message_file = mail::write_message(outbox, mail::message_stem(content.subject, local), message).string();
      } catch (const mail::OutboxError& e) {
        return HRESULT_FROM_WIN32(e.error());
      }
      hand_off(content, sent);
      state_->sent_mail.push_back(std::move(sent));
      return S_OK;
    });
  }

  // The From: the settings', else the user's registry value, else $EMAIL.
  std::string sender() const {
    if (!state_->settings.mail.sender.empty()) return state_->settings.mail.sender;
    platform::RegKey key;
    std::u16string from;
    if (key.open(HKEY_CURRENT_USER, state_->settings.settings_path + u"\\Mail") == ERROR_SUCCESS &&
        key.get_string(u"From", from) == ERROR_SUCCESS && !from.empty())
      return platform::to_utf8(from);
    const char* email = std::getenv("EMAIL");
    return email ? email : "";
  }

  bool opens_compose_window() const {
    return client_.style != mail::ComposeStyle::none && state_->settings.mail.hand_off && platform::desktop_available();
  }

  // Opens the mail program's compose window on copies of the files kept beside the message: the
  // files handed to the service may be temporary ones the suite deletes when it stops, and the
  // mail program may read them later. The message stays in the outbox whatever happens here.
  void hand_off(const mail::MailContent& content, SentMail& sent) const {
    if (client_.style == mail::ComposeStyle::none) {
      sent.not_handed_off = state_->settings.mail.client_name
                                ? "the mail program is the one the settings name"
                            : client_.unusable_handler.empty()
                                ? "the desktop has no mail program for mailto: links"
                                : client_.unusable_handler + ", the desktop's program for mailto: links, cannot be given files";
      return;
    }
    if (!state_->settings.mail.hand_off) {
      sent.not_handed_off = "handing messages to the mail program is turned off";
      return;
    }
    if (!platform::desktop_available()) {
      sent.not_handed_off = "there is no desktop session to open " + client_.handler.name + " in";
      return;
    }
    mail::ComposeRequest request{content.subject, content.body, {}};
    fs::path copies = fs::path(sent.message_file).replace_extension();
    if (!content.files.empty()) {
      try {
        request.files = mail::copy_attachments(copies, content.files);
      } catch (const mail::OutboxError& e) {
        sent.not_handed_off = e.what();
        return;
      }
    }
    auto command = mail::compose_command(client_.handler.exec, client_.style, request, client_.handler.name);
    std::string error;
    if (!mail::start_detached(command, error)) {
      sent.not_handed_off = "cannot start " + client_.handler.name + ": " + error;
      std::error_code ignored;
      if (!content.files.empty()) fs::remove_all(copies, ignored);
      return;
    }
    sent.handed_to = client_.handler.desktop_id;
    sent.handler_name = client_.handler.name;
    sent.hand_off = mail::compose_style_name(client_.style);
    sent.command = std::move(command);
    if (!content.files.empty()) sent.attachment_copies = copies.string();
  }

  std::shared_ptr<SuiteState> state_;
  mail::MailClient client_;
};

}  // namespace

HRESULT create_mail_service(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<MailService>(riid, ppv, state);
}

}  // namespace suite
