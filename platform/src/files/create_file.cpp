// CreateFile: dispositions, rights and share modes over open(2). The read-only attribute (no
// owner write permission) and read-only folders refuse writes whoever runs the process, as the
// attribute does on Windows.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/errhandlingapi.h"
#include "platform/fileapi.h"
#include "platform/src/files/fault_checks.h"
#include "platform/src/files/open_file.h"
#include "platform/src/files/path_resolution.h"
#include "platform/src/files/posix_errors.h"
#include "platform/winerror.h"
#include "platform/winnls.h"

using namespace platform::files;

namespace {

HANDLE fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

int open_mode(DWORD access, DWORD rights) {
  const bool read = rights & kReadRight, write = rights & kWriteRight;
  int mode = read && write ? O_RDWR : write ? O_WRONLY : read ? O_RDONLY : O_PATH;
  if ((access & FILE_APPEND_DATA) && !(access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA))) mode |= O_APPEND;
  return mode | O_CLOEXEC;
}

}  // namespace

extern "C" HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                     LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                                     DWORD dwFlagsAndAttributes, HANDLE) {
  const DWORD rights = rights_of(dwDesiredAccess);
  if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING ||
      (dwCreationDisposition == TRUNCATE_EXISTING && !(rights & kWriteRight)))
    return fail(ERROR_INVALID_PARAMETER);
  Location location;
  if (const DWORD error = resolve(lpFileName, location); error != ERROR_SUCCESS) return fail(error);
  if (!location.parent_exists) return fail(ERROR_PATH_NOT_FOUND);
  const auto& machine = *location.machine;

  struct stat st {};
  bool exists = location.exists && ::stat(location.posix.c_str(), &st) == 0;
  const bool backup = dwFlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS;
  if (exists && S_ISDIR(st.st_mode) &&
      (!backup || (dwCreationDisposition != OPEN_EXISTING && dwCreationDisposition != OPEN_ALWAYS)))
    return fail(ERROR_ACCESS_DENIED);
  if (location.is_root && !backup) return fail(ERROR_ACCESS_DENIED);
  if (exists && dwCreationDisposition == CREATE_NEW) return fail(ERROR_FILE_EXISTS);
  if (!exists && (dwCreationDisposition == OPEN_EXISTING || dwCreationDisposition == TRUNCATE_EXISTING))
    return fail(ERROR_FILE_NOT_FOUND);

  const bool truncate = exists && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING);
  if (!exists || rights & kWriteRight || truncate) {
    if (write_denied(machine, location.posix)) return fail(ERROR_ACCESS_DENIED);
    if (exists && !S_ISDIR(st.st_mode) && !(st.st_mode & S_IWUSR)) return fail(ERROR_ACCESS_DENIED);
  }

  int flags = open_mode(dwDesiredAccess, rights);
  if (exists && S_ISDIR(st.st_mode)) flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
  if (!exists) {
    if ((flags & O_ACCMODE) == O_RDONLY && (flags & O_PATH)) flags = (flags & ~O_PATH) | O_RDONLY;
    flags |= O_CREAT | O_EXCL;
  }
  const mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  const int fd = ::open(location.posix.c_str(), flags, mode);
  if (fd < 0) {
    if (errno == EEXIST) return fail(dwCreationDisposition == CREATE_NEW ? ERROR_FILE_EXISTS : ERROR_SHARING_VIOLATION);
    return fail(win32_error_from_errno(errno));
  }
  if (::fstat(fd, &st) != 0) {
    const DWORD error = win32_error_from_errno(errno);
    ::close(fd);
    return fail(error);
  }
  auto file = std::make_shared<OpenFile>(fd, rights, dwShareMode & (FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE),
                                         st.st_dev, st.st_ino, location.drive);
  if (!file->register_open()) return fail(ERROR_SHARING_VIOLATION);
  if (truncate && ::ftruncate(fd, 0) != 0 && ::truncate(location.posix.c_str(), 0) != 0)
    return fail(win32_error_from_errno(errno));
  if (dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) file->delete_on_close(location.posix);

  const HANDLE handle = platform::handles::insert(std::move(file));
  const bool opened_existing = exists && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
  SetLastError(opened_existing ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

extern "C" HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                     LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                                     DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
  if (!lpFileName) return fail(ERROR_PATH_NOT_FOUND);
  const std::u16string name = platform::widen(lpFileName);
  return CreateFileW(name.c_str(), dwDesiredAccess, dwShareMode, lpSecurityAttributes, dwCreationDisposition,
                     dwFlagsAndAttributes, hTemplateFile);
}
