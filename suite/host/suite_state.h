// What the suite's host objects share while the suite runs: its settings, the shutdown
// listeners, and the records of what the pane stack, the command target and the message
// service were asked (for the CLI and the tests to show).
#pragma once

#include <functional>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "host/sub_manager.h"
#include "platform/oaidl.h"
#include "platform/support/com_ptr.h"
#include "platform/support/control_host.h"

namespace suite {

struct MessageRequest {
  std::u16string text;
  std::u16string caption;
  std::u16string further;
  LONG buttons = 0;
  // What the suite knows of the failures behind the message: each file that failed since the
  // previous message, with why ("goldfish.png: not a picture the suite can read").
  std::vector<std::string> details = {};
};

// Answers a message as the user would (6 yes, 7 no, 2 cancel, 1 OK).
using MessageAnswerer = std::function<LONG(const MessageRequest&)>;

// The first button of each button set, as a user pressing Enter would answer.
LONG default_answer(const MessageRequest& request) noexcept;

// The client catalogue roots of the Std, StdPlus and Pro editions, in that order.
std::vector<std::u16string> default_catalogue_roots();

// How the mail service reaches the user's mail program.
struct MailSettings {
  // The mail program's display name; unset: the desktop's default mail program, or else the
  // suite's own outbox. An empty name means there is no mail program.
  std::optional<std::u16string> client_name;
  bool client_can_embed = true;
  std::string outbox;    // folder the messages are written to; empty: $XDG_DATA_HOME/zozed/outbox
  bool hand_off = true;  // open each message with the desktop's mail program when there is one
  // The From of each message, "Name <address>" or "address" (UTF-8); empty: the registry value
  // From under HKCU\<settings_path>\Mail, else $EMAIL, else no From header.
  std::string sender = {};
};

// A message the mail service wrote.
struct SentMail {
  bool embedded = false;
  std::u16string subject;
  std::u16string body;
  std::vector<std::u16string> paths;  // as handed over
  std::string message_file;           // the .eml written
  std::string handed_to;              // desktop id of the mail program it was given to, or empty
  std::string handler_name = {};      // that mail program's display name
  std::string hand_off = {};          // how it was given: "thunderbird -compose", ...
  std::vector<std::string> command = {};  // the compose command started, program first
  std::string attachment_copies = {};     // folder beside the .eml holding the files it was given
  std::string not_handed_off = {};        // why the message only went into the outbox
};

// Registry paths (no hive) the environment reports; see environment.cpp for what goes below them.
// The skin's layout folder beside the executable (<bin>/../share/zozed/layouts), as a Windows path.
std::u16string default_layout_root();

struct SuiteSettings {
  std::u16string configuration_root = u"Software\\Quarn\\Tessagram7";
  std::u16string settings_path = u"Software\\Quarn\\Tessagram7\\Settings";
  std::u16string format_loader_base_path = u"Software\\Quarn\\Tessagram7";
  std::vector<std::u16string> catalogue_roots = default_catalogue_roots();
  std::u16string layout_root = default_layout_root();
  MessageAnswerer answerer = default_answer;
  MailSettings mail;
  // Told each progress percentage a pane reports (0 when its work is over).
  std::function<void(LONG percent)> progress;
};

// One member call on the pane stack; arguments as text (see describe_variant).
struct PaneStackOperation {
  DISPID id = 0;
  std::u16string name;
  std::vector<std::u16string> arguments;
  HRESULT result = S_OK;
};

// A pane the pane stack shows, with what it was shown by. A pane that is an ActiveX control
// is placed in the side panel (`hosted`); `activation` is how that went.
struct ShownPane {
  platform::ComPtr<IUnknown> object;
  std::u16string clsid;
  std::u16string title;
  std::shared_ptr<platform::HostedControl> hosted;
  HRESULT activation = S_OK;
};

// One pane message delivered to a shown pane through the pane stack's CurrentPane.
struct PaneMessage {
  std::u16string pane;  // CLSID string the pane was shown by
  std::u16string message_id;
  std::u16string value;
  std::u16string extra;
  LONG flags = 0;
  LONG handled = 0;
  HRESULT result = S_OK;
};

// One call on the host's command target.
struct IssuedCommand {
  std::u16string method;  // "ExecCommand" or "UpdateCommand"
  std::u16string command_id;
  std::vector<std::u16string> arguments;
};

struct SuiteState {
  explicit SuiteState(SuiteSettings s) : settings(std::move(s)) {}

  SuiteSettings settings;
  bool running = true;  // cleared when the suite stops; objects still held then refuse new work
  // The one pane stack and command target of the running suite; released when it stops.
  platform::ComPtr<IDispatch> pane_stack;
  // The host's item tray object the activity area hands out (captions, views, links).
  platform::ComPtr<IDispatch> item_tray;
  platform::ComPtr<ICommandTarget> command_target;
  std::vector<platform::ComPtr<IUnknown>> listeners;  // identities, in registration order
  std::vector<ShownPane> panes;  // the pane stack, current pane last
  // The side panel the panes are shown in (created with the first pane) and its client size.
  HWND panel = nullptr;
  SIZE panel_size{240, 480};
  std::u16string toolbar;
  std::vector<PaneStackOperation> pane_operations;
  std::vector<PaneMessage> pane_messages;
  std::vector<IssuedCommand> commands;
  std::vector<MessageRequest> messages;
  std::vector<SentMail> sent_mail;
  std::vector<std::string> media_errors;  // why each failed picture operation failed, in order
  std::size_t media_errors_told = 0;      // how many of them a message has carried
  std::vector<LONG> progress;             // every progress percentage reported, in order
};

}  // namespace suite
