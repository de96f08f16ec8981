#include "suite/mail/mail_client.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/winnls.h"

namespace suite::mail {
namespace {

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

// The desktop's default handler for mailto: links, by its desktop id.
std::string default_mailto_handler() {
  FILE* pipe = popen("xdg-mime query default x-scheme-handler/mailto 2>/dev/null", "r");
  if (!pipe) return {};
  char line[256] = {};
  std::string answer;
  if (std::fgets(line, sizeof line, pipe)) answer = trimmed(line);
  pclose(pipe);
  return answer;
}

std::vector<std::string> application_folders() {
  std::vector<std::string> folders;
  const char* data_home = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (data_home && *data_home)
    folders.push_back(std::string(data_home) + "/applications");
  else if (home && *home)
    folders.push_back(std::string(home) + "/.local/share/applications");
  const char* data_dirs = std::getenv("XDG_DATA_DIRS");
  std::string dirs = data_dirs && *data_dirs ? data_dirs : "/usr/local/share:/usr/share";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    if (end > start) folders.push_back(dirs.substr(start, end - start) + "/applications");
    start = end + 1;
  }
  return folders;
}

}  // namespace

std::string desktop_entry_name(const std::string& desktop_id) {
  if (desktop_id.empty() || desktop_id.find('/') != std::string::npos) return {};
  for (const auto& folder : application_folders()) {
    std::ifstream entry(folder + "/" + desktop_id);
    if (!entry) continue;
    std::string line;
    bool in_main_group = false;
    while (std::getline(entry, line)) {
      if (!line.empty() && line.front() == '[') in_main_group = line == "[Desktop Entry]";
      if (in_main_group && line.rfind("Name=", 0) == 0) return trimmed(line.substr(5));
    }
  }
  return {};
}

MailClient detect_mail_client(const std::optional<std::u16string>& configured_name, bool can_embed) {
  MailClient client;
  client.can_embed = can_embed;
  if (configured_name) {
    client.name = *configured_name;
    return client;
  }
  const std::string id = default_mailto_handler();
  const std::string name = desktop_entry_name(id);
  if (!name.empty()) {
    client.name = platform::from_utf8(name);
    client.desktop_id = id;
    return client;
  }
  client.name = kOutboxClientName;
  return client;
}

}  // namespace suite::mail
