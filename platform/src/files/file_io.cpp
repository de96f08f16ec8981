// Reading, writing, seeking and sizing an open file. Only synchronous I/O exists here.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/errhandlingapi.h"
#include "platform/fileapi.h"
#include "platform/src/files/fault_checks.h"
#include "platform/src/files/open_file.h"
#include "platform/src/files/posix_errors.h"
#include "platform/winerror.h"

using namespace platform::files;

namespace {

std::shared_ptr<OpenFile> open_file(HANDLE handle) { return platform::handles::find_as<OpenFile>(handle); }

}  // namespace

extern "C" BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                                LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  const auto file = open_file(hFile);
  if (!file) return fail_with(ERROR_INVALID_HANDLE);
  if (lpOverlapped) return fail_with(ERROR_INVALID_PARAMETER);
  if (!(file->rights() & kReadRight)) return fail_with(ERROR_ACCESS_DENIED);
  auto* out = static_cast<char*>(lpBuffer);
  DWORD total = 0;
  while (total < nNumberOfBytesToRead) {
    const ssize_t n = ::read(file->fd(), out + total, nNumberOfBytesToRead - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (lpNumberOfBytesRead) *lpNumberOfBytesRead = total;
      return fail_with_errno();
    }
    if (n == 0) break;  // end of file: success with fewer bytes
    total += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = total;
  return TRUE;
}

extern "C" BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                 LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  const auto file = open_file(hFile);
  if (!file) return fail_with(ERROR_INVALID_HANDLE);
  if (lpOverlapped) return fail_with(ERROR_INVALID_PARAMETER);
  if (!(file->rights() & kWriteRight)) return fail_with(ERROR_ACCESS_DENIED);
  if (nNumberOfBytesToWrite > 0 && disk_full(*platform::profile::machine_state(), file->drive()))
    return fail_with(ERROR_DISK_FULL);
  const auto* in = static_cast<const char*>(lpBuffer);
  DWORD total = 0;
  while (total < nNumberOfBytesToWrite) {
    const ssize_t n = ::write(file->fd(), in + total, nNumberOfBytesToWrite - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = total;
      return n < 0 ? fail_with_errno() : fail_with(ERROR_DISK_FULL);
    }
    total += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = total;
  return TRUE;
}

extern "C" BOOL WINAPI GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize) {
  const auto file = open_file(hFile);
  if (!file) return fail_with(ERROR_INVALID_HANDLE);
  struct stat st {};
  if (::fstat(file->fd(), &st) != 0) return fail_with_errno();
  if (!lpFileSize) return fail_with(ERROR_INVALID_PARAMETER);
  lpFileSize->QuadPart = S_ISDIR(st.st_mode) ? 0 : static_cast<LONGLONG>(st.st_size);
  return TRUE;
}

// A size of 0xFFFFFFFF is also a success; callers tell them apart by GetLastError.
extern "C" DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(hFile, &size)) return INVALID_FILE_SIZE;
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(static_cast<ULONGLONG>(size.QuadPart) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size.QuadPart & 0xFFFFFFFF);
}

extern "C" BOOL WINAPI SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, PLARGE_INTEGER lpNewFilePointer,
                                        DWORD dwMoveMethod) {
  const auto file = open_file(hFile);
  if (!file) return fail_with(ERROR_INVALID_HANDLE);
  off_t base = 0;
  if (dwMoveMethod == FILE_CURRENT) {
    base = ::lseek(file->fd(), 0, SEEK_CUR);
  } else if (dwMoveMethod == FILE_END) {
    struct stat st {};
    base = ::fstat(file->fd(), &st) == 0 ? st.st_size : -1;
  } else if (dwMoveMethod != FILE_BEGIN) {
    return fail_with(ERROR_INVALID_PARAMETER);
  }
  if (base < 0) return fail_with_errno();
  const LONGLONG target = static_cast<LONGLONG>(base) + liDistanceToMove.QuadPart;
  if (target < 0) return fail_with(ERROR_NEGATIVE_SEEK);
  if (::lseek(file->fd(), static_cast<off_t>(target), SEEK_SET) < 0) return fail_with_errno();
  if (lpNewFilePointer) lpNewFilePointer->QuadPart = target;
  return TRUE;
}

extern "C" BOOL WINAPI SetEndOfFile(HANDLE hFile) {
  const auto file = open_file(hFile);
  if (!file) return fail_with(ERROR_INVALID_HANDLE);
  if (!(file->rights() & kWriteRight)) return fail_with(ERROR_ACCESS_DENIED);
  const off_t position = ::lseek(file->fd(), 0, SEEK_CUR);
  if (position < 0 || ::ftruncate(file->fd(), position) != 0) return fail_with_errno();
  return TRUE;
}

extern "C" BOOL WINAPI FlushFileBuffers(HANDLE hFile) {
  const auto file = open_file(hFile);
  if (!file) return fail_with(ERROR_INVALID_HANDLE);
  if (!(file->rights() & kWriteRight)) return fail_with(ERROR_ACCESS_DENIED);
  if (::fsync(file->fd()) != 0) return fail_with_errno();
  return TRUE;
}
