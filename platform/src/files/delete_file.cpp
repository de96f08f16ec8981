// DeleteFile: a folder, a read-only file or a file open without FILE_SHARE_DELETE stays.
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fileapi.h"
#include "platform/src/files/fault_checks.h"
#include "platform/src/files/open_file.h"
#include "platform/src/files/path_resolution.h"
#include "platform/src/files/posix_errors.h"
#include "platform/winerror.h"

using namespace platform::files;

extern "C" BOOL WINAPI DeleteFileW(LPCWSTR lpFileName) {
  Location location;
  if (const DWORD error = resolve(lpFileName, location); error != ERROR_SUCCESS) return fail_with(error);
  if (!location.exists) return fail_with(missing_error(location));
  struct stat st {};
  if (::stat(location.posix.c_str(), &st) != 0) return fail_with_errno();
  if (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR) || write_denied(*location.machine, location.posix))
    return fail_with(ERROR_ACCESS_DENIED);
  if (!delete_shared(st.st_dev, st.st_ino)) return fail_with(ERROR_SHARING_VIOLATION);
  if (::unlink(location.posix.c_str()) != 0) return fail_with_errno();
  return TRUE;
}
