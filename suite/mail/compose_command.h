// The command lines that open a mail program's compose window with a subject, a body and files
// attached. Mail programs take these in a few ways, each with its own quoting:
//   thunderbird -compose "subject=..,body=..,attachment=.."   values percent-encoded, unquoted
//   kmail --composer --subject=.. --body=.. --attach=file:///..
//   claws-mail --compose "mailto:?subject=..&body=.." --attach /path...
//   evolution "mailto:?subject=..&body=..&attach=.."          (also geary)
// No shell is involved: each argument goes to the program as it is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace suite::mail {

enum class ComposeStyle {
  none,         // cannot be given files from another program (a web browser, an unknown program)
  thunderbird,  // -compose with key=value pairs (Thunderbird and its forks)
  kmail,        // --composer and one option per field
  claws,        // --compose with a mailto: URI and --attach with paths (Claws Mail, Sylpheed)
  mailto_uri,   // one mailto: URI whose attach= parameters name the files (Evolution, Geary)
};

struct ComposeRequest {
  std::string subject;             // UTF-8
  std::string body;                // UTF-8 plain text
  std::vector<std::string> files;  // absolute POSIX paths
};

// How the desktop's mailto handler takes a message, by its program (the Exec line split into
// arguments) and its desktop id.
ComposeStyle compose_style_of(const std::vector<std::string>& exec, std::string_view desktop_id);

// "thunderbird -compose", ..., for messages that say how a message was handed over.
const char* compose_style_name(ComposeStyle style);

// The arguments, after the program, that open the compose window.
std::vector<std::string> compose_arguments(ComposeStyle style, const ComposeRequest& request);

// The handler's Exec line with the compose arguments in place of its file or URL field code (%u,
// %U, %f, %F; added at the end when it has none), %c as `name`, "%%" as "%" and the other field
// codes dropped.
std::vector<std::string> compose_command(const std::vector<std::string>& exec, ComposeStyle style,
                                         const ComposeRequest& request, std::string_view name = {});

// Every byte but the unreserved characters of RFC 3986 as %XX.
std::string percent_encoded(std::string_view text);

// "file:///a%20b.jpg": the path's bytes percent-encoded except '/' and the unreserved characters.
std::string file_uri(std::string_view absolute_path);

// Starts the command in its own session with no terminal, never waiting for it, so that it
// outlives the suite. False with the reason in `error` when it cannot be started.
bool start_detached(const std::vector<std::string>& command, std::string& error);

}  // namespace suite::mail
