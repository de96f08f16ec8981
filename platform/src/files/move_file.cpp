// MoveFile and MoveFileEx over rename(2); across file systems a file is copied and the source
// removed when MOVEFILE_COPY_ALLOWED says so. The new name takes the caller's spelling, so a
// move can change only the case of a name.
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fileapi.h"
#include "platform/src/files/fault_checks.h"
#include "platform/src/files/file_copy.h"
#include "platform/src/files/open_file.h"
#include "platform/src/files/posix_errors.h"
#include "platform/winbase.h"
#include "platform/winerror.h"
#include "platform/winnls.h"

using namespace platform::files;

namespace {

std::string new_posix_name(const Location& target) {
  const std::size_t slash = target.windows.rfind(u'\\');
  const std::u16string name = target.windows.substr(slash + 1);
  std::string path = target.parent;
  if (path.back() != '/') path += '/';
  return path + platform::to_utf8(name);
}

DWORD move(const Location& source, const Location& target, DWORD flags) {
  struct stat from {};
  if (::stat(source.posix.c_str(), &from) != 0) return win32_error_from_errno(errno);
  if (source.is_root || target.is_root) return ERROR_ACCESS_DENIED;
  if (write_denied(*source.machine, source.posix) || write_denied(*target.machine, target.posix))
    return ERROR_ACCESS_DENIED;
  if (!delete_shared(from.st_dev, from.st_ino)) return ERROR_SHARING_VIOLATION;

  struct stat to {};
  const bool target_exists = target.exists && ::stat(target.posix.c_str(), &to) == 0;
  const bool same_file = target_exists && to.st_dev == from.st_dev && to.st_ino == from.st_ino;
  if (target_exists && !same_file) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) return ERROR_ALREADY_EXISTS;
    if (S_ISDIR(to.st_mode) || S_ISDIR(from.st_mode) || !(to.st_mode & S_IWUSR)) return ERROR_ACCESS_DENIED;
    if (!delete_shared(to.st_dev, to.st_ino)) return ERROR_SHARING_VIOLATION;
  }

  const std::string destination = new_posix_name(target);
  if (same_file && destination == source.posix) return ERROR_SUCCESS;
  // An existing target spelled otherwise than the new name would survive rename(2).
  if (target_exists && !same_file && target.posix != destination && ::unlink(target.posix.c_str()) != 0)
    return win32_error_from_errno(errno);
  if (::rename(source.posix.c_str(), destination.c_str()) == 0) return ERROR_SUCCESS;
  if (errno != EXDEV) return win32_error_from_errno(errno);
  if (!(flags & MOVEFILE_COPY_ALLOWED) || S_ISDIR(from.st_mode)) return ERROR_NOT_SAME_DEVICE;

  Location copy_target = target;
  copy_target.posix = destination;
  copy_target.exists = target_exists && target.posix == destination;
  if (const DWORD error = copy_file(source, copy_target, false); error != ERROR_SUCCESS) return error;
  if (::unlink(source.posix.c_str()) != 0) return win32_error_from_errno(errno);
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" BOOL WINAPI MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags) {
  if (!lpNewFileName) return fail_with(ERROR_INVALID_PARAMETER);
  Location source, target;
  if (const DWORD error = resolve(lpExistingFileName, source); error != ERROR_SUCCESS) return fail_with(error);
  if (!source.exists) return fail_with(missing_error(source));
  if (const DWORD error = resolve(lpNewFileName, target); error != ERROR_SUCCESS) return fail_with(error);
  if (!target.parent_exists) return fail_with(ERROR_PATH_NOT_FOUND);
  if (const DWORD error = move(source, target, dwFlags); error != ERROR_SUCCESS) return fail_with(error);
  return TRUE;
}

extern "C" BOOL WINAPI MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName) {
  return MoveFileExW(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}
