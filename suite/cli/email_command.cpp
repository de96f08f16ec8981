// `zozed email [FILE...] [--later] [--html|--no-html] [--outbox DIR] [--yes|--no]`: the e-mail
// task's last steps as a user runs them: the Share-by-e-mail pane gets the files, the mode and
// the embed box are clicked as asked, Send is clicked, the dialogs are answered, and what
// happened is reported: the prepared attachments, the total against the limit, the mail
// program, and the message written or the dated folder.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "host/skinned_controls.h"
#include "platform/ui_driver.h"
#include "platform/winnls.h"
#include "suite/cli/commands.h"
#include "suite/cli/email_options_store.h"
#include "suite/cli/running_suite.h"
#include "suite/cli/share_pane_driver.h"
#include "suite/cli/task_options.h"
#include "suite/host/host_paths.h"
#include "suite/mail/mail_client.h"

namespace suite::cli {
namespace {

constexpr char16_t kDonePane[] = u"{A24E2C56-F1EF-442C-BCF7-085A580B777F}";
constexpr char16_t kSendOutcome[] = u"{DDD04973-794D-4D3D-9CA6-67D0A3F95842}";

// Controls of the Share-by-e-mail pane.
constexpr int kSendNow = 1318;
constexpr int kSaveForLater = 1319;
constexpr int kEmbed = 1490;
constexpr int kSend = 11113;

// Controls of the dialogs Send may open.
constexpr int kWarningContinue = 1364;
constexpr int kWarningCancel = 1365;
constexpr int kWarningTexts[] = {1412, 1413, 1414, 1415, 1417};
constexpr int kFolderOpen = 1183;
constexpr int kFolderClose = 1186;

struct EmailRequest {
  TaskOptions task;
  bool later = false;
  bool html = false;
  bool no_html = false;
  std::string outbox;
  std::optional<std::string> client;
  bool no_hand_off = false;
  bool show_folder = false;
};

void click_in(HWND dialog, int id) {
  HWND control = clickable_window(dialog, id);
  if (!control || !platform::ui::click(control)) EndDialog(dialog, IDCANCEL);
}

// Plays the user in the modal dialogs that Send opens.
void answer_dialog(HWND dialog, const EmailRequest& request) {
  if (!dialog) return;
  if (GetDlgItem(dialog, kWarningContinue)) {
    for (int id : kWarningTexts)
      if (const std::string text = control_text(dialog, id); !text.empty()) std::fprintf(stderr, "zozed: %s\n", text.c_str());
    click_in(dialog, confirm("Send the attachments anyway?", request.task.answer_mode()) ? kWarningContinue : kWarningCancel);
  } else if (GetDlgItem(dialog, kFolderClose)) {
    if (request.show_folder) click_in(dialog, kFolderOpen);
    click_in(dialog, kFolderClose);
  } else {
    EndDialog(dialog, IDCANCEL);
  }
}

// The files and their total; whether that is too much for mail is the pane's to say (its size
// warning shows its own figures).
void report_attachments(const std::vector<TrayFile>& files) {
  std::int64_t total = 0;
  std::printf("Attachments (%zu):\n", files.size());
  for (const auto& file : files) {
    total += file.bytes;
    print_tray_file(file);
  }
  const auto options = read_email_options();
  const StoredOption* warn = find_email_option(options, "Warn about attachment size");
  const StoredOption* limit = find_email_option(options, "Attachment size limit");
  std::printf("Total: %lld bytes", static_cast<long long>(total));
  if (warn && warn->is_on() && limit)
    std::printf(" (the pane warns above %lu KB)\n", static_cast<unsigned long>(limit->number));
  else
    std::printf(" (the size warning is off)\n");
}

SentMail const* last_mail(const SuiteState& state) { return state.sent_mail.empty() ? nullptr : &state.sent_mail.back(); }

int report_outcome(const SuiteState& state) {
  const bool finished = !state.panes.empty() && state.panes.back().clsid == kDonePane;
  if (!finished) {
    std::printf("Nothing was sent: the pane stayed open.\n");
    return 1;
  }
  const PaneMessage* outcome = nullptr;
  for (const auto& message : state.pane_messages)
    if (message.message_id == kSendOutcome) outcome = &message;
  // The outcome's value reads "I2 0" after a hand-off and "I2 -1" after saving; the extra is
  // the folder as a quoted string.
  if (outcome && outcome->value != u"I2 0") {
    std::u16string folder = outcome->extra;
    if (folder.size() >= 2 && folder.front() == u'"' && folder.back() == u'"') folder = folder.substr(1, folder.size() - 2);
    if (folder.empty()) {
      const auto options = read_email_options();
      const StoredOption* location = find_email_option(options, "Save location");
      if (!location || location->text.size() < 2)
        std::printf("Nothing was saved: there is no save location (no pictures folder to put one in). Choose one "
                    "with --set \"Save location=FOLDER\" --save.\n");
      else
        std::printf("Nothing was saved: today's folder could not be made below %s.\n", location->shown().c_str());
      return 1;
    }
    const auto posix = posix_of_host_path(folder);
    std::printf("Saved for later sending in %s\n", posix ? posix->c_str() : platform::to_utf8(folder).c_str());
    return 0;
  }
  if (const SentMail* mail = last_mail(state)) {
    std::printf("Message%s: %s\n", mail->embedded ? " (pictures embedded in HTML)" : "", mail->message_file.c_str());
    if (!mail->handed_to.empty()) {
      std::printf("Opened in %s (%s): a new message with the subject, the text and %zu attachment(s)\n",
                  mail->handler_name.c_str(), mail->hand_off.c_str(), mail->paths.size());
      if (!mail->attachment_copies.empty())
        std::printf("Files it was given (kept until you delete them): %s\n", mail->attachment_copies.c_str());
    } else if (!mail->not_handed_off.empty()) {
      std::printf("Not opened in a mail program: %s; the message waits in the outbox\n", mail->not_handed_off.c_str());
    }
    return 0;
  }
  std::printf("The mail program did not take the message.\n");
  return 1;
}

int run_email(const EmailRequest& request) {
  SuiteSettings settings;
  if (!request.outbox.empty()) settings.mail.outbox = request.outbox;
  if (request.client) settings.mail.client_name = platform::from_utf8(*request.client);
  settings.mail.hand_off = !request.no_hand_off;
  const auto client = mail::detect_mail_client(settings.mail.client_name, settings.mail.client_can_embed);
  TaskRun run(request.task, std::move(settings));
  SharePaneDriver& pane = run.pane();
  std::printf("Mail program: %s\n",
              client.name.empty() ? "none" : platform::to_utf8(client.name).c_str());

  (void)pane.click(request.later ? kSaveForLater : kSendNow);
  const bool ticked = pane.state(kEmbed) == host::kCheckTicked;
  if (!request.later && (request.html || request.no_html)) {
    if (request.html && !pane.enabled(kEmbed))
      std::fprintf(stderr, "zozed: the pictures cannot be embedded here (no picture, or the mail program cannot "
                           "take them); they go as attachments\n");
    else if (request.html != ticked)
      (void)pane.click(kEmbed);
  }
  const auto attachments = pane.tray_files();
  report_attachments(attachments);
  if (!request.later)
    std::printf("Form: %s\n", pane.state(kEmbed) == host::kCheckTicked ? "pictures embedded in HTML" : "attachments");

  if (!pane.enabled(kSend)) {
    std::printf("Nothing to send: no file could be prepared.\n");
    return 1;
  }
  {
    platform::ui::ScopedDriver driver([&](HWND waiting) { answer_dialog(waiting, request); });
    (void)pane.click(kSend);
  }
  const int status = report_outcome(run.session().state());
  return status == 0 && unanswered_question() ? 1 : status;
}

}  // namespace

int run_default() {
  std::printf("zozed %s: the e-mail task on the bundled sample photos (`zozed --help` lists every command)\n\n",
              ZOZED_VERSION);
  return run_email(EmailRequest{});
}

void add_email_command(CLI::App& app) {
  auto* command = app.add_subcommand("email", "Send files by e-mail as the Share-by-e-mail pane does, or save them for later");
  auto request = std::make_shared<EmailRequest>();
  add_task_options(*command, request->task);
  command->add_flag("--later", request->later,
                    "Save the prepared files into today's folder for sending later (this run; --save keeps it)");
  auto* html = command->add_flag("--html", request->html,
                                 "Embed the pictures in an HTML message when the mail program can (this run)");
  command->add_flag("--no-html", request->no_html, "Attach the pictures to a plain message (this run)")->excludes(html);
  command->add_option("--outbox", request->outbox, "Folder the messages are written to (default $XDG_DATA_HOME/zozed/outbox)");
  command->add_option("--client", request->client, "Mail program name to use (\"\" for none; default: the desktop's)");
  command->add_flag("--no-hand-off", request->no_hand_off, "Only write the message; do not open it in the mail program");
  command->add_flag("--show-folder", request->show_folder, "With --later: open the folder in the file browser");
  command->callback([request] {
    if (const int status = run_email(*request); status != 0) throw CLI::RuntimeError(status);
  });
}

}  // namespace suite::cli
