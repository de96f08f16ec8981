// GetDriveType from the drive and share tables. Only a root names a drive: "C:\\", "C:",
// "\\\\server\\share\\", or null and "\\" for the current drive.
#include "platform/fileapi.h"
#include "platform/src/files/path_resolution.h"
#include "platform/wide_crt.h"
#include "platform/winnls.h"

using namespace platform::files;

namespace {

bool is_separator(char16_t c) { return c == u'\\' || c == u'/'; }

// "C:\\dir" -> "C:\\", "\\\\srv\\share\\dir" -> "\\\\srv\\share\\".
std::u16string root_of(const std::u16string& path) {
  if (path.size() >= 2 && path[1] == u':') return path.substr(0, 2) + u'\\';
  std::size_t separators = 0;
  for (std::size_t k = 2; k < path.size(); ++k)
    if (path[k] == u'\\' && ++separators == 2) return path.substr(0, k + 1);
  return path + u'\\';
}

UINT type_of_root(std::u16string_view root) {
  const auto machine = platform::profile::machine_state();
  if (root.size() >= 2 && root[1] == u':') {
    if (root.size() > 3 || (root.size() == 3 && !is_separator(root[2]))) return DRIVE_NO_ROOT_DIR;
    char16_t letter = root[0];
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
    const auto drive = machine->profile.drives.find(letter);
    return drive == machine->profile.drives.end() ? DRIVE_NO_ROOT_DIR : drive->second.type;
  }
  if (root.size() > 2 && is_separator(root[0]) && is_separator(root[1])) {
    std::u16string name(root);
    while (name.size() > 2 && is_separator(name.back())) name.pop_back();
    for (auto& c : name)
      if (c == u'/') c = u'\\';
    for (const auto& share : machine->profile.shares)
      if (platform::compare_ignore_case(share.first, name) == 0) return DRIVE_REMOTE;
  }
  return DRIVE_NO_ROOT_DIR;
}

}  // namespace

extern "C" UINT WINAPI GetDriveTypeW(LPCWSTR lpRootPathName) {
  if (!lpRootPathName || (is_separator(lpRootPathName[0]) && lpRootPathName[1] == 0)) {
    const std::u16string current = current_folder();
    return current.empty() ? DRIVE_NO_ROOT_DIR : type_of_root(root_of(current));
  }
  return type_of_root(lpRootPathName);
}

extern "C" UINT WINAPI GetDriveTypeA(LPCSTR lpRootPathName) {
  if (!lpRootPathName) return GetDriveTypeW(nullptr);
  return GetDriveTypeW(platform::widen(lpRootPathName).c_str());
}
