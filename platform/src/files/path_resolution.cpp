// Windows path syntax (drive letters, UNC shares, \\?\, both separators, "." and "..") and the
// case-insensitive walk down the POSIX folders.
#include "platform/src/files/path_resolution.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <vector>

#include "platform/fileapi.h"
#include "platform/wide_crt.h"
#include "platform/winnls.h"

namespace platform::files {
namespace {

bool is_separator(char16_t c) { return c == u'\\' || c == u'/'; }
bool is_letter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
char16_t upper_letter(char16_t c) { return c >= u'a' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool is_invalid(char16_t c, bool wildcards) {
  if (c < 0x20) return true;
  switch (c) {
    case u'<': case u'>': case u':': case u'"': case u'|':
      return true;
    case u'*': case u'?':
      return !wildcards;
    default:
      return false;
  }
}

std::string join(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

bool stat_of(const std::string& path, struct stat& st) { return ::stat(path.c_str(), &st) == 0; }

// The entry of `folder` whose name equals `name` ignoring case; the smallest such name when
// several do, so that the answer does not depend on the order of the folder.
std::optional<std::string> folded_entry(const std::string& folder, std::u16string_view name) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return std::nullopt;
  std::optional<std::string> found;
  while (dirent* entry = readdir(dir)) {
    const std::string_view candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if (compare_ignore_case(from_utf8(candidate), name) == 0 && (!found || candidate < *found))
      found = std::string(candidate);
  }
  closedir(dir);
  return found;
}

struct Parsed {
  std::u16string root;  // "C:" or "\\\\server\\share"
  std::vector<std::u16string> components;
  bool long_form = false;
};

std::u16string joined(const Parsed& p) {
  std::u16string path = p.root;
  if (p.components.empty()) return path + u'\\';
  for (const auto& c : p.components) path += u'\\' + c;
  return path;
}

// The path made absolute: "C:x" and "\\x" and "x" against the current folder (each drive's own
// current folder is its root here, the current drive's is the process's).
DWORD absolute_form(std::u16string_view path, std::u16string& full, bool& long_form) {
  long_form = false;
  if (path.size() >= 4 && path.substr(0, 4) == u"\\\\?\\") {
    long_form = true;
    path.remove_prefix(4);
    if (path.size() >= 4 && compare_ignore_case(path.substr(0, 4), u"UNC\\") == 0) {
      full = u"\\\\" + std::u16string(path.substr(4));
      return ERROR_SUCCESS;
    }
    if (path.size() < 2 || !is_letter(path[0]) || path[1] != u':') return ERROR_INVALID_NAME;
  } else if (path.size() >= 4 && is_separator(path[0]) && is_separator(path[1]) && path[2] == u'.' &&
             is_separator(path[3])) {
    return ERROR_PATH_NOT_FOUND;  // devices
  }
  if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) {
    full = path;
    return ERROR_SUCCESS;
  }
  if (path.size() >= 2 && is_letter(path[0]) && path[1] == u':') {
    if (path.size() == 2 || is_separator(path[2])) {
      full = path;
      return ERROR_SUCCESS;
    }
    const std::u16string current = current_folder();
    const bool current_drive = !current.empty() && upper_letter(current[0]) == upper_letter(path[0]);
    full = (current_drive ? current : std::u16string(path.substr(0, 2))) + u'\\' + std::u16string(path.substr(2));
    return ERROR_SUCCESS;
  }
  const std::u16string current = current_folder();
  if (current.empty()) return ERROR_PATH_NOT_FOUND;
  if (!path.empty() && is_separator(path[0])) {
    std::u16string root;
    if (current[0] == u'\\') {  // a share: its root is "\\\\server\\share"
      std::size_t slashes = 0, k = 2;
      for (; k < current.size(); ++k)
        if (current[k] == u'\\' && ++slashes == 2) break;
      root = current.substr(0, k);
    } else {
      root = current.substr(0, 2);
    }
    full = root + std::u16string(path);
  } else {
    full = current + u'\\' + std::u16string(path);
  }
  return ERROR_SUCCESS;
}

DWORD parse(std::u16string_view path, const ResolveOptions& options, Parsed& out) {
  std::u16string full;
  DWORD error = absolute_form(path, full, out.long_form);
  if (error != ERROR_SUCCESS) return error;

  std::size_t pos = 0;
  if (is_separator(full[0])) {
    // \\server\share
    std::size_t k = 2;
    std::u16string server, share;
    while (k < full.size() && !is_separator(full[k])) server += full[k++];
    while (k < full.size() && is_separator(full[k])) ++k;
    while (k < full.size() && !is_separator(full[k])) share += full[k++];
    // A server without a share names nothing the file system can open.
    if (share.empty()) return ERROR_INVALID_NAME;
    if (server.empty()) return ERROR_BAD_NETPATH;
    for (char16_t c : server + share)
      if (is_invalid(c, false)) return ERROR_INVALID_NAME;
    out.root = u"\\\\" + server + u"\\" + share;
    pos = k;
  } else {
    out.root = {upper_letter(full[0]), u':'};
    pos = 2;
  }

  std::vector<std::u16string> parts;
  std::u16string part;
  auto flush = [&] {
    if (part.empty() || part == u".") {
    } else if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else {
      parts.push_back(part);
    }
    part.clear();
  };
  for (; pos < full.size(); ++pos) {
    if (is_separator(full[pos]))
      flush();
    else
      part += full[pos];
  }
  flush();
  if (!out.long_form && !parts.empty()) {
    // Windows drops trailing dots and spaces of a name.
    auto& last = parts.back();
    while (!last.empty() && (last.back() == u'.' || last.back() == u' ')) last.pop_back();
    if (last.empty()) parts.pop_back();
  }
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool wildcards = options.wildcards_in_last && i + 1 == parts.size();
    for (char16_t c : parts[i])
      if (is_invalid(c, wildcards)) return ERROR_INVALID_NAME;
  }
  out.components = std::move(parts);
  if (!out.long_form && joined(out).size() > options.max_length) return options.too_long_error;
  return ERROR_SUCCESS;
}

}  // namespace

std::u16string current_folder() {
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof(buffer))) return {};
  return windows_path_in(*profile::machine_state(), buffer);
}

DWORD resolve(const WCHAR* path, Location& out, const ResolveOptions& options) {
  if (!path || !*path) return ERROR_PATH_NOT_FOUND;
  Parsed parsed;
  if (const DWORD error = parse(path, options, parsed); error != ERROR_SUCCESS) return error;

  Location location;
  location.machine = profile::machine_state();
  const MachineProfile& machine = location.machine->profile;
  std::string folder;
  if (parsed.root[0] == u'\\') {
    for (const auto& [name, share_folder] : machine.shares) {
      if (compare_ignore_case(name, parsed.root) == 0) {
        folder = share_folder;
        location.drive = name;
        location.drive_type = DRIVE_REMOTE;
      }
    }
    if (folder.empty()) return ERROR_BAD_NETPATH;
  } else {
    const auto drive = machine.drives.find(parsed.root[0]);
    if (drive == machine.drives.end()) return ERROR_PATH_NOT_FOUND;
    folder = drive->second.folder;
    location.drive = parsed.root;
    location.drive_type = drive->second.type;
  }
  struct stat st {};
  if (!stat_of(folder, st) || !S_ISDIR(st.st_mode))
    return location.drive_type == DRIVE_REMOVABLE || location.drive_type == DRIVE_CDROM ? ERROR_NOT_READY
                                                                                          : ERROR_PATH_NOT_FOUND;

  location.windows = joined(parsed);
  location.is_root = parsed.components.empty();
  location.parent_exists = true;
  location.exists = true;
  std::string current = folder;
  for (std::size_t i = 0; i < parsed.components.size(); ++i) {
    const std::u16string& component = parsed.components[i];
    const bool last = i + 1 == parsed.components.size();
    std::string name = to_utf8(component);
    bool found = location.exists && stat_of(join(current, name), st);
    if (location.exists && !found) {
      if (auto folded = folded_entry(current, component)) {
        name = std::move(*folded);
        found = stat_of(join(current, name), st);
      }
    }
    if (last) {
      location.parent = current;
      location.name = found ? from_utf8(name) : component;
      location.exists = found;
    } else if (!found || !S_ISDIR(st.st_mode)) {
      location.exists = false;
      location.parent_exists = false;
    }
    current = join(current, name);
  }
  if (location.is_root) location.parent = folder;
  location.posix = std::move(current);
  out = std::move(location);
  return ERROR_SUCCESS;
}

DWORD missing_error(const Location& location) {
  return location.parent_exists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

std::u16string windows_path_in(const profile::MachineState& state, std::string_view posix) {
  if (posix.empty() || posix.front() != '/') return {};
  // Normalised: no empty or "." components, no trailing slash.
  std::string path;
  std::size_t k = 0;
  while (k < posix.size()) {
    while (k < posix.size() && posix[k] == '/') ++k;
    std::size_t end = posix.find('/', k);
    if (end == std::string_view::npos) end = posix.size();
    const std::string_view part = posix.substr(k, end - k);
    if (!part.empty() && part != ".") (path += '/') += part;
    k = end;
  }
  auto under = [&](const std::string& folder) -> std::optional<std::string_view> {
    if (folder == "/") return std::string_view(path);
    if (path.size() < folder.size() || path.compare(0, folder.size(), folder) != 0) return std::nullopt;
    if (path.size() > folder.size() && path[folder.size()] != '/') return std::nullopt;
    return std::string_view(path).substr(folder.size());
  };
  std::u16string best_root;
  std::size_t best_length = 0;
  std::string_view rest;
  bool found = false;
  auto consider = [&](const std::u16string& root, const std::string& folder) {
    if (auto r = under(folder); r && (!found || folder.size() > best_length)) {
      found = true;
      best_root = root;
      best_length = folder.size();
      rest = *r;
    }
  };
  for (const auto& [letter, drive] : state.profile.drives) consider(std::u16string{letter, u':'}, drive.folder);
  for (const auto& [name, folder] : state.profile.shares) consider(name, folder);
  if (!found) return {};
  std::u16string windows = best_root + from_utf8(rest);
  for (auto& c : windows)
    if (c == u'/') c = u'\\';
  if (rest.empty()) windows += u'\\';
  return windows;
}

}  // namespace platform::files
