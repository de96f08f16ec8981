// CreateDirectory and RemoveDirectory. CreateDirectory takes paths of at most 247 characters
// (MAX_PATH less room for an 8.3 file name), and refuses longer ones with ERROR_FILENAME_EXCED_RANGE.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fileapi.h"
#include "platform/src/files/fault_checks.h"
#include "platform/src/files/path_resolution.h"
#include "platform/src/files/posix_errors.h"
#include "platform/winerror.h"

using namespace platform::files;

extern "C" BOOL WINAPI CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES) {
  Location location;
  ResolveOptions options;
  options.max_length = MAX_PATH - 12 - 1;
  options.too_long_error = ERROR_FILENAME_EXCED_RANGE;
  if (const DWORD error = resolve(lpPathName, location, options); error != ERROR_SUCCESS) return fail_with(error);
  if (location.exists) return fail_with(ERROR_ALREADY_EXISTS);
  if (!location.parent_exists) return fail_with(ERROR_PATH_NOT_FOUND);
  if (write_denied(*location.machine, location.posix)) return fail_with(ERROR_ACCESS_DENIED);
  if (::mkdir(location.posix.c_str(), 0777) != 0) return fail_with_errno();
  return TRUE;
}

extern "C" BOOL WINAPI RemoveDirectoryW(LPCWSTR lpPathName) {
  Location location;
  if (const DWORD error = resolve(lpPathName, location); error != ERROR_SUCCESS) return fail_with(error);
  if (!location.exists) return fail_with(missing_error(location));
  struct stat st {};
  if (::stat(location.posix.c_str(), &st) != 0) return fail_with_errno();
  if (!S_ISDIR(st.st_mode)) return fail_with(ERROR_DIRECTORY);
  if (location.is_root || write_denied(*location.machine, location.posix) || !(st.st_mode & S_IWUSR))
    return fail_with(ERROR_ACCESS_DENIED);
  if (::rmdir(location.posix.c_str()) != 0) return fail_with(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : win32_error_from_errno(errno));
  return TRUE;
}
