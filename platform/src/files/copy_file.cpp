// CopyFile: contents, read-only bit and times; the existing target keeps its name's spelling.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/fileapi.h"
#include "platform/src/files/fault_checks.h"
#include "platform/src/files/file_copy.h"
#include "platform/src/files/open_file.h"
#include "platform/src/files/posix_errors.h"
#include "platform/winbase.h"
#include "platform/winerror.h"

namespace platform::files {
namespace {

// Descriptor that closes itself.
struct Fd {
  int value = -1;
  ~Fd() {
    if (value >= 0) ::close(value);
  }
};

DWORD copy_bytes(int from, int to) {
  std::vector<char> buffer(1 << 16);
  for (;;) {
    const ssize_t n = ::read(from, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return win32_error_from_errno(errno);
    if (n == 0) return ERROR_SUCCESS;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(to, buffer.data() + done, static_cast<std::size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return w < 0 ? win32_error_from_errno(errno) : ERROR_DISK_FULL;
      done += w;
    }
  }
}

}  // namespace

DWORD copy_file(const Location& source, const Location& target, bool fail_if_exists) {
  struct stat from {};
  if (::stat(source.posix.c_str(), &from) != 0) return win32_error_from_errno(errno);
  if (S_ISDIR(from.st_mode)) return ERROR_ACCESS_DENIED;
  if (!open_allowed(from.st_dev, from.st_ino, kReadRight, FILE_SHARE_READ)) return ERROR_SHARING_VIOLATION;

  struct stat to {};
  const bool target_exists = target.exists && ::stat(target.posix.c_str(), &to) == 0;
  if (target_exists) {
    if (fail_if_exists) return ERROR_FILE_EXISTS;
    if (S_ISDIR(to.st_mode) || !(to.st_mode & S_IWUSR)) return ERROR_ACCESS_DENIED;
    if (to.st_dev == from.st_dev && to.st_ino == from.st_ino) return ERROR_SHARING_VIOLATION;
    if (!open_allowed(to.st_dev, to.st_ino, kWriteRight, 0)) return ERROR_SHARING_VIOLATION;
  }
  if (write_denied(*target.machine, target.posix)) return ERROR_ACCESS_DENIED;
  if (from.st_size > 0 && disk_full(*target.machine, target.drive)) return ERROR_DISK_FULL;

  Fd in{::open(source.posix.c_str(), O_RDONLY | O_CLOEXEC)};
  if (in.value < 0) return win32_error_from_errno(errno);
  const int create = target_exists ? O_TRUNC : (O_CREAT | O_EXCL);
  Fd out{::open(target.posix.c_str(), O_WRONLY | O_CLOEXEC | create, from.st_mode & 0777)};
  if (out.value < 0) return errno == EEXIST && fail_if_exists ? ERROR_FILE_EXISTS : win32_error_from_errno(errno);

  DWORD error = copy_bytes(in.value, out.value);
  if (error == ERROR_SUCCESS && ::fchmod(out.value, from.st_mode & 07777) != 0) error = win32_error_from_errno(errno);
  const struct timespec times[2] = {from.st_atim, from.st_mtim};
  if (error == ERROR_SUCCESS && ::futimens(out.value, times) != 0) error = win32_error_from_errno(errno);
  if (error != ERROR_SUCCESS) ::unlink(target.posix.c_str());
  return error;
}

}  // namespace platform::files

using namespace platform::files;

extern "C" BOOL WINAPI CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists) {
  Location source, target;
  if (const DWORD error = resolve(lpExistingFileName, source); error != ERROR_SUCCESS) return fail_with(error);
  if (!source.exists) return fail_with(missing_error(source));
  if (const DWORD error = resolve(lpNewFileName, target); error != ERROR_SUCCESS) return fail_with(error);
  if (!target.parent_exists) return fail_with(ERROR_PATH_NOT_FOUND);
  if (const DWORD error = copy_file(source, target, bFailIfExists != FALSE); error != ERROR_SUCCESS)
    return fail_with(error);
  return TRUE;
}
