// FindFirstFile / FindNextFile: the folder is read once, the names matching the pattern (`*`
// and `?`, ignoring case) are kept in the order NTFS gives them, "." and ".." first, then by
// name ignoring case.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "platform/errhandlingapi.h"
#include "platform/fileapi.h"
#include "platform/src/files/file_info.h"
#include "platform/src/files/path_resolution.h"
#include "platform/src/files/posix_errors.h"
#include "platform/src/handles/handle_table.h"
#include "platform/wide_crt.h"
#include "platform/winerror.h"
#include "platform/winnls.h"

using namespace platform::files;

namespace {

struct Found {
  std::u16string name;
  WIN32_FIND_DATAW data;
};

class Search : public platform::handles::KernelObject {
 public:
  bool closes_with_close_handle() const override { return false; }
  std::vector<Found> entries;
  std::size_t next = 0;
};

bool equal_ignoring_case(char16_t a, char16_t b) {
  return platform::compare_ignore_case(std::u16string_view(&a, 1), std::u16string_view(&b, 1)) == 0;
}

bool matches(std::u16string_view pattern, std::u16string_view name) {
  // Iterative wildcard match with one backtracking point.
  std::size_t p = 0, n = 0, star = std::u16string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() && (pattern[p] == u'?' || equal_ignoring_case(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (star != std::u16string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

// "*.*" is every name; "name.*" also finds "name" without an extension, as on Windows.
bool dos_matches(std::u16string_view pattern, std::u16string_view name) {
  if (pattern == u"*.*" || pattern == u"*") return true;
  if (matches(pattern, name)) return true;
  return pattern.size() > 2 && pattern.substr(pattern.size() - 2) == u".*" &&
         name.find(u'.') == std::u16string_view::npos && matches(pattern.substr(0, pattern.size() - 2), name);
}

bool fill(const std::string& posix, std::u16string name, Found& out) {
  struct stat st {};
  if (::stat(posix.c_str(), &st) != 0 || name.size() >= MAX_PATH) return false;
  WIN32_FIND_DATAW data{};
  data.dwFileAttributes = attributes_of(st, name);
  data.ftCreationTime = filetime_of(st.st_ctim);
  data.ftLastAccessTime = filetime_of(st.st_atim);
  data.ftLastWriteTime = filetime_of(st.st_mtim);
  const ULONGLONG size = S_ISDIR(st.st_mode) ? 0 : static_cast<ULONGLONG>(st.st_size);
  data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
  std::copy(name.begin(), name.end(), data.cFileName);
  out = Found{std::move(name), data};
  return true;
}

}  // namespace

extern "C" HANDLE WINAPI FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData) {
  ResolveOptions options;
  options.wildcards_in_last = true;
  Location location;
  if (const DWORD error = resolve(lpFileName, location, options); error != ERROR_SUCCESS) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  if (!location.parent_exists || location.is_root) {
    SetLastError(location.is_root ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  const std::u16string pattern = location.windows.substr(location.windows.rfind(u'\\') + 1);
  auto search = std::make_shared<Search>();
  // A drive's root has no "." and "..".
  const bool at_root = location.windows.rfind(u'\\') == location.drive.size();
  if (DIR* dir = opendir(location.parent.c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::u16string name = platform::from_utf8(entry->d_name);
      if (at_root && (name == u"." || name == u"..")) continue;
      if (!dos_matches(pattern, name)) continue;
      Found found;
      if (fill(location.parent + '/' + entry->d_name, std::move(name), found)) search->entries.push_back(std::move(found));
    }
    closedir(dir);
  } else {
    SetLastError(win32_error_from_errno(errno));
    return INVALID_HANDLE_VALUE;
  }
  auto rank = [](const std::u16string& n) { return n == u"." ? 0 : n == u".." ? 1 : 2; };
  std::sort(search->entries.begin(), search->entries.end(), [&](const Found& a, const Found& b) {
    if (rank(a.name) != rank(b.name)) return rank(a.name) < rank(b.name);
    const int order = platform::compare_ignore_case(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
  });
  if (search->entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  if (lpFindFileData) *lpFindFileData = search->entries[0].data;
  search->next = 1;
  return platform::handles::insert(std::move(search));
}

extern "C" BOOL WINAPI FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData) {
  const auto search = platform::handles::find_as<Search>(hFindFile);
  if (!search) return fail_with(ERROR_INVALID_HANDLE);
  if (search->next >= search->entries.size()) return fail_with(ERROR_NO_MORE_FILES);
  if (lpFindFileData) *lpFindFileData = search->entries[search->next].data;
  ++search->next;
  return TRUE;
}

extern "C" BOOL WINAPI FindClose(HANDLE hFindFile) {
  const auto search = platform::handles::take(
      hFindFile, [](const platform::handles::KernelObject& o) { return dynamic_cast<const Search*>(&o) != nullptr; });
  if (!search) return fail_with(ERROR_INVALID_HANDLE);
  return TRUE;
}
