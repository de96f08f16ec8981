#include "suite/mail/compose_command.h"

#include <glib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace suite::mail {
namespace {

bool unreserved(unsigned char c) { return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~'; }

std::string encoded(std::string_view text, bool keep_slash) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (unreserved(c) || (keep_slash && c == '/')) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string base_name(std::string_view path) {
  const auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The program an Exec line starts: past "env NAME=value ..." wrappers, and the --command of a
// Flatpak launch.
std::string program_of(const std::vector<std::string>& exec) {
  std::size_t i = 0;
  if (i < exec.size() && base_name(exec[i]) == "env") {
    ++i;
    while (i < exec.size() && (exec[i].find('=') != std::string::npos || exec[i].rfind('-', 0) == 0)) ++i;
  }
  if (i >= exec.size()) return {};
  if (base_name(exec[i]) == "flatpak") {
    for (const auto& argument : exec)
      if (argument.rfind("--command=", 0) == 0) return base_name(argument.substr(10));
  }
  return base_name(exec[i]);
}

struct Family {
  const char* key;
  ComposeStyle style;
};
constexpr std::array<Family, 8> kFamilies{{
    {"thunderbird", ComposeStyle::thunderbird},
    {"icedove", ComposeStyle::thunderbird},
    {"betterbird", ComposeStyle::thunderbird},
    {"kmail", ComposeStyle::kmail},
    {"claws-mail", ComposeStyle::claws},
    {"sylpheed", ComposeStyle::claws},
    {"evolution", ComposeStyle::mailto_uri},
    {"geary", ComposeStyle::mailto_uri},
}};

ComposeStyle style_named(const std::string& text) {
  for (const auto& family : kFamilies)
    if (text.find(family.key) != std::string::npos) return family.style;
  return ComposeStyle::none;
}

// "mailto:?subject=..&body=..", with `attach=` for each file when `attach` is set.
std::string mailto_uri(const ComposeRequest& request, bool attach) {
  std::vector<std::string> fields;
  if (!request.subject.empty()) fields.push_back("subject=" + percent_encoded(request.subject));
  if (!request.body.empty()) fields.push_back("body=" + percent_encoded(request.body));
  // The value is itself a file: URI, encoded once more so that decoding the query gives it back.
  if (attach)
    for (const auto& file : request.files) fields.push_back("attach=" + percent_encoded(file_uri(file)));
  std::string uri = "mailto:";
  for (std::size_t i = 0; i < fields.size(); ++i) uri += (i == 0 ? "?" : "&") + fields[i];
  return uri;
}

// Thunderbird splits its -compose argument at commas outside quotes and URI-decodes every
// unquoted value; a quoted value cannot hold a quote followed by a comma. Encoded, unquoted
// values hold neither commas nor quotes, whatever the text.
std::string thunderbird_fields(const ComposeRequest& request) {
  std::vector<std::string> fields;
  if (!request.subject.empty()) fields.push_back("subject=" + percent_encoded(request.subject));
  if (!request.body.empty()) fields.push_back("body=" + percent_encoded(request.body));
  if (!request.files.empty()) {
    // file: URIs escape their commas, so the decoded list splits back into the files.
    std::string list;
    for (const auto& file : request.files) list += (list.empty() ? "" : ",") + file_uri(file);
    fields.push_back("attachment=" + percent_encoded(list));
  }
  std::string joined;
  for (const auto& field : fields) joined += (joined.empty() ? "" : ",") + field;
  return joined;
}

bool file_field_code(const std::string& argument) {
  return argument == "%u" || argument == "%U" || argument == "%f" || argument == "%F";
}

// An argument of an Exec line with its other field codes expanded. %i would be two arguments,
// "--icon" and a name, and %k the desktop file's path; neither matters to a compose window.
std::string expanded(const std::string& argument, std::string_view name) {
  std::string out;
  for (std::size_t i = 0; i < argument.size(); ++i) {
    if (argument[i] != '%' || i + 1 == argument.size()) {
      out += argument[i];
    } else if (argument[++i] == '%') {
      out += '%';
    } else if (argument[i] == 'c') {
      out += name;
    }
  }
  return out;
}

void detach_from_terminal(gpointer) { setsid(); }

}  // namespace

std::string percent_encoded(std::string_view text) { return encoded(text, false); }

std::string file_uri(std::string_view absolute_path) { return "file://" + encoded(absolute_path, true); }

ComposeStyle compose_style_of(const std::vector<std::string>& exec, std::string_view desktop_id) {
  const ComposeStyle by_program = style_named(lower(program_of(exec)));
  return by_program != ComposeStyle::none ? by_program : style_named(lower(desktop_id));
}

const char* compose_style_name(ComposeStyle style) {
  switch (style) {
    case ComposeStyle::thunderbird: return "thunderbird -compose";
    case ComposeStyle::kmail: return "kmail --composer";
    case ComposeStyle::claws: return "claws-mail --compose --attach";
    case ComposeStyle::mailto_uri: return "mailto: URI with attach=";
    case ComposeStyle::none: break;
  }
  return "none";
}

std::vector<std::string> compose_arguments(ComposeStyle style, const ComposeRequest& request) {
  std::vector<std::string> out;
  switch (style) {
    case ComposeStyle::thunderbird:
      out.push_back("-compose");
      if (const std::string fields = thunderbird_fields(request); !fields.empty()) out.push_back(fields);
      break;
    case ComposeStyle::kmail:
      // "--name=value" keeps a value that starts with '-' a value.
      out.push_back("--composer");
      if (!request.subject.empty()) out.push_back("--subject=" + request.subject);
      if (!request.body.empty()) out.push_back("--body=" + request.body);
      for (const auto& file : request.files) out.push_back("--attach=" + file_uri(file));
      break;
    case ComposeStyle::claws:
      // --attach takes every following argument up to one that starts with '-'; absolute
      // paths never do, and nothing follows them.
      out.push_back("--compose");
      out.push_back(mailto_uri(request, false));
      if (!request.files.empty()) {
        out.push_back("--attach");
        out.insert(out.end(), request.files.begin(), request.files.end());
      }
      break;
    case ComposeStyle::mailto_uri:
      out.push_back(mailto_uri(request, true));
      break;
    case ComposeStyle::none:
      break;
  }
  return out;
}

std::vector<std::string> compose_command(const std::vector<std::string>& exec, ComposeStyle style,
                                         const ComposeRequest& request, std::string_view name) {
  const auto arguments = compose_arguments(style, request);
  std::vector<std::string> command;
  bool placed = false;
  for (const auto& argument : exec) {
    if (file_field_code(argument)) {
      if (!placed) command.insert(command.end(), arguments.begin(), arguments.end());
      placed = true;
      continue;
    }
    if (std::string done = expanded(argument, name); !done.empty()) command.push_back(std::move(done));
  }
  if (!placed) command.insert(command.end(), arguments.begin(), arguments.end());
  return command;
}

bool start_detached(const std::vector<std::string>& command, std::string& error) {
  if (command.empty()) {
    error = "no command";
    return false;
  }
  std::vector<char*> argv;
  for (const auto& argument : command) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  GError* failure = nullptr;
  // Without G_SPAWN_DO_NOT_REAP_CHILD GLib forks twice: the program is nobody's child here and
  // leaves no zombie; a program that cannot be executed is still reported.
  const auto flags = static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL);
  if (g_spawn_async(nullptr, argv.data(), nullptr, flags, &detach_from_terminal, nullptr, nullptr, &failure)) return true;
  error = failure ? failure->message : "cannot start the program";
  if (failure) g_error_free(failure);
  return false;
}

}  // namespace suite::mail
