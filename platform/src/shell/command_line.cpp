// What a Windows command line stands for here. Explorer's arguments are switches and a path
// separated by commas ("/n,/select,\"C:\\a b\\c.jpg\""); a selection opens the folder holding it.
#include <sys/stat.h>

#include "platform/command_start.h"
#include "platform/path_mapping.h"
#include "platform/src/shell/user_folders.h"
#include "platform/wide_crt.h"
#include "platform/winerror.h"

namespace platform {
namespace {

bool is_space(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view trimmed(std::u16string_view s) {
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

std::u16string unquoted(std::u16string_view s) {
  std::u16string out;
  for (char16_t c : trimmed(s))
    if (c != u'"') out += c;
  return out;
}

// The program (first word, or quoted) and the rest.
void split_program(std::u16string_view line, std::u16string& program, std::u16string_view& rest) {
  line = trimmed(line);
  std::size_t end;
  if (!line.empty() && line[0] == u'"') {
    end = line.find(u'"', 1);
    program = line.substr(1, end == std::u16string_view::npos ? std::u16string_view::npos : end - 1);
    end = end == std::u16string_view::npos ? line.size() : end + 1;
  } else {
    end = 0;
    while (end < line.size() && !is_space(line[end])) ++end;
    program = line.substr(0, end);
  }
  rest = trimmed(line.substr(end));
}

bool is_explorer(std::u16string_view program) {
  const std::size_t slash = program.find_last_of(u"\\/");
  if (slash != std::u16string_view::npos) program.remove_prefix(slash + 1);
  return compare_ignore_case(program, u"explorer") == 0 || compare_ignore_case(program, u"explorer.exe") == 0;
}

// Comma-separated, commas inside quotes kept; a switch word may also end at a space.
std::vector<std::u16string> explorer_arguments(std::u16string_view rest) {
  std::vector<std::u16string> words;
  std::u16string word;
  bool quoted = false;
  auto flush = [&] {
    std::u16string_view w = trimmed(word);
    if (!w.empty() && w[0] == u'/') {
      while (!w.empty()) {  // "/n /e" are two switches
        const std::size_t space = w.find_first_of(u" \t");
        words.emplace_back(unquoted(w.substr(0, space)));
        w = space == std::u16string_view::npos ? std::u16string_view() : trimmed(w.substr(space));
      }
    } else if (!w.empty()) {
      words.push_back(unquoted(w));
    }
    word.clear();
  };
  for (char16_t c : rest) {
    if (c == u'"') quoted = !quoted;
    if (c == u',' && !quoted)
      flush();
    else
      word += c;
  }
  flush();
  return words;
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

DWORD command_for(std::u16string_view command_line, StartedCommand& command) {
  std::u16string program;
  std::u16string_view rest;
  split_program(command_line, program, rest);
  if (!is_explorer(program)) return ERROR_FILE_NOT_FOUND;

  std::u16string target;
  bool select = false;
  const auto words = explorer_arguments(rest);
  for (std::size_t k = 0; k < words.size(); ++k) {
    const std::u16string& w = words[k];
    if (compare_ignore_case(w, u"/select") == 0 || compare_ignore_case(w, u"/root") == 0) {
      select = compare_ignore_case(w, u"/select") == 0;
      if (k + 1 < words.size()) target = words[++k];
    } else if (!w.empty() && w[0] == u'/' && w.size() <= 3) {
      // /n, /e: a new window, the folder tree; one browser window is all there is here.
    } else {
      target = w;
      select = false;
    }
  }
  std::string posix;
  if (target.empty()) {
    posix = shell::home_folder();
  } else {
    auto mapped = posix_path_of(target);
    if (!mapped || !exists(*mapped)) return ERROR_PATH_NOT_FOUND;
    posix = std::move(*mapped);
    if (select) {
      const std::size_t slash = posix.rfind('/');
      posix = slash == 0 ? std::string("/") : posix.substr(0, slash);
    }
  }
  command.command_line = std::u16string(command_line);
  command.argv = {"xdg-open", posix};
  return ERROR_SUCCESS;
}

}  // namespace platform
