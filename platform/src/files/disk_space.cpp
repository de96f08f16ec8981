// GetDiskFreeSpaceEx: the file system's figures for the folder, or those a test set for its drive.
#include <sys/statvfs.h>

#include <cerrno>

#include "platform/fileapi.h"
#include "platform/src/files/path_resolution.h"
#include "platform/src/files/posix_errors.h"
#include "platform/winerror.h"
#include "platform/winnls.h"

using namespace platform::files;

extern "C" BOOL WINAPI GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                           PULARGE_INTEGER lpTotalNumberOfBytes,
                                           PULARGE_INTEGER lpTotalNumberOfFreeBytes) {
  const std::u16string folder = lpDirectoryName ? std::u16string(lpDirectoryName) : current_folder();
  Location location;
  if (const DWORD error = resolve(folder.c_str(), location); error != ERROR_SUCCESS) return fail_with(error);
  if (!location.exists) return fail_with(ERROR_PATH_NOT_FOUND);
  platform::DiskSpace space;
  const auto& overrides = location.machine->faults.disk_space;
  if (const auto it = overrides.find(location.drive); it != overrides.end()) {
    space = it->second;
  } else {
    struct statvfs fs {};
    if (::statvfs(location.posix.c_str(), &fs) != 0) return fail_with_errno();
    const ULONGLONG unit = fs.f_frsize ? fs.f_frsize : fs.f_bsize;
    space = {ULONGLONG{fs.f_bavail} * unit, ULONGLONG{fs.f_blocks} * unit, ULONGLONG{fs.f_bfree} * unit};
  }
  if (lpFreeBytesAvailableToCaller) lpFreeBytesAvailableToCaller->QuadPart = space.free_to_caller;
  if (lpTotalNumberOfBytes) lpTotalNumberOfBytes->QuadPart = space.total;
  if (lpTotalNumberOfFreeBytes) lpTotalNumberOfFreeBytes->QuadPart = space.total_free;
  return TRUE;
}

extern "C" BOOL WINAPI GetDiskFreeSpaceExA(LPCSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                           PULARGE_INTEGER lpTotalNumberOfBytes,
                                           PULARGE_INTEGER lpTotalNumberOfFreeBytes) {
  if (!lpDirectoryName)
    return GetDiskFreeSpaceExW(nullptr, lpFreeBytesAvailableToCaller, lpTotalNumberOfBytes, lpTotalNumberOfFreeBytes);
  return GetDiskFreeSpaceExW(platform::widen(lpDirectoryName).c_str(), lpFreeBytesAvailableToCaller,
                             lpTotalNumberOfBytes, lpTotalNumberOfFreeBytes);
}
