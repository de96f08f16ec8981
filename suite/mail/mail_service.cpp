// The suite's mail service: writes each message handed to it as a real MIME message (.eml) into
// the outbox folder and, when the desktop has a mail program, opens it there as a draft to send.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <span>

#include "host/mail_service.h"
#include "platform/command_start.h"
#include "platform/oleauto.h"
#include "platform/path_mapping.h"
#include "platform/support/dispatch_object.h"
#include "platform/support/safe_array.h"
#include "platform/winnls.h"
#include "suite/host/suite_objects.h"
#include "suite/mail/mail_client.h"
#include "suite/mail/mime_composer.h"

namespace suite {
namespace {

using platform::DispatchCall;
using platform::DispatchMember;

std::u16string text_of(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

std::filesystem::path outbox_folder(const MailSettings& settings) {
  if (!settings.outbox.empty()) return settings.outbox;
  const char* data_home = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  std::filesystem::path base = data_home && *data_home ? data_home
                               : home && *home        ? std::filesystem::path(home) / ".local/share"
                                                      : std::filesystem::temp_directory_path();
  return base / "zozed" / "outbox";
}

// "2026-12-05 201500 Subject.eml", numbered when that name is taken.
std::filesystem::path message_file(const std::filesystem::path& folder, const std::string& subject) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H%M%S", &local);
  std::string title;
  for (const char c : subject.substr(0, 60)) title += (c == '/' || c == '\\' || c == ':' || c < ' ') ? '_' : c;
  const std::string stem = std::string(stamp) + (title.empty() ? "" : " " + title);
  std::filesystem::path candidate = folder / (stem + ".eml");
  for (int n = 2; std::filesystem::exists(candidate); ++n) candidate = folder / (stem + " (" + std::to_string(n) + ").eml");
  return candidate;
}

// Starts `program file` detached from the suite, so that closing the suite leaves it running.
bool open_detached(const char* program, const std::string& file) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    setsid();
    if (fork() == 0) {
      execlp(program, program, file.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
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
    *can_embed = client_.can_embed && !client_.name.empty() ? VARIANT_TRUE : VARIANT_FALSE;
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
      mail::MailContent content{platform::to_utf8(sent.subject), platform::to_utf8(sent.body), {}, embedded};
      for (const auto& path : sent.paths) {
        DWORD error = 0;
        auto posix = platform::posix_path_of(path, &error);
        if (!posix) return HRESULT_FROM_WIN32(error ? error : ERROR_PATH_NOT_FOUND);
        content.files.push_back(*posix);
      }
      std::string message;
      try {
        message = mail::compose_message(content);
      } catch (const mail::MailError&) {
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
      }
      const auto folder = outbox_folder(state_->settings.mail);
      std::error_code made;
      std::filesystem::create_directories(folder, made);
      if (made) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
      const auto file = message_file(folder, content.subject);
      {
        std::ofstream out(file, std::ios::binary);
        out.write(message.data(), static_cast<std::streamsize>(message.size()));
        if (!out.flush()) return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
      }
      sent.message_file = file.string();
      if (!client_.desktop_id.empty() && state_->settings.mail.hand_off && platform::desktop_available() &&
          open_detached("xdg-open", sent.message_file))
        sent.handed_to = client_.desktop_id;
      state_->sent_mail.push_back(std::move(sent));
      return S_OK;
    });
  }

  std::shared_ptr<SuiteState> state_;
  mail::MailClient client_;
};

}  // namespace

HRESULT create_mail_service(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<MailService>(riid, ppv, state);
}

}  // namespace suite
