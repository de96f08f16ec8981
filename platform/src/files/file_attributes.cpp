// GetFileAttributes, GetFileAttributesEx and SetFileAttributes. Only the read-only bit can be
// changed: it is the owner's write permission. Hidden follows the name and cannot be set.
#include <sys/stat.h>

#include "platform/errhandlingapi.h"
#include "platform/fileapi.h"
#include "platform/src/files/fault_checks.h"
#include "platform/src/files/file_info.h"
#include "platform/src/files/path_resolution.h"
#include "platform/src/files/posix_errors.h"
#include "platform/winerror.h"
#include "platform/winnls.h"

using namespace platform::files;

namespace {

// The existing file or folder a path names, with its stat; a Win32 error otherwise.
DWORD existing(LPCWSTR path, Location& location, struct stat& st) {
  if (const DWORD error = resolve(path, location); error != ERROR_SUCCESS) return error;
  if (!location.exists) return missing_error(location);
  if (::stat(location.posix.c_str(), &st) != 0) return win32_error_from_errno(errno);
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName) {
  Location location;
  struct stat st {};
  if (const DWORD error = existing(lpFileName, location, st); error != ERROR_SUCCESS) {
    SetLastError(error);
    return INVALID_FILE_ATTRIBUTES;
  }
  return attributes_of(st, location.name);
}

extern "C" DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
  if (!lpFileName) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  return GetFileAttributesW(platform::widen(lpFileName).c_str());
}

extern "C" BOOL WINAPI GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                                            LPVOID lpFileInformation) {
  if (fInfoLevelId != GetFileExInfoStandard || !lpFileInformation) return fail_with(ERROR_INVALID_PARAMETER);
  Location location;
  struct stat st {};
  if (const DWORD error = existing(lpFileName, location, st); error != ERROR_SUCCESS) return fail_with(error);
  auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(lpFileInformation);
  data->dwFileAttributes = attributes_of(st, location.name);
  // The status change time is the nearest POSIX has to a creation time.
  data->ftCreationTime = filetime_of(st.st_ctim);
  data->ftLastAccessTime = filetime_of(st.st_atim);
  data->ftLastWriteTime = filetime_of(st.st_mtim);
  const ULONGLONG size = S_ISDIR(st.st_mode) ? 0 : static_cast<ULONGLONG>(st.st_size);
  data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
  return TRUE;
}

extern "C" BOOL WINAPI SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes) {
  Location location;
  struct stat st {};
  if (const DWORD error = existing(lpFileName, location, st); error != ERROR_SUCCESS) return fail_with(error);
  if (write_denied(*location.machine, location.posix)) return fail_with(ERROR_ACCESS_DENIED);
  mode_t mode = st.st_mode & 07777;
  if (dwFileAttributes & FILE_ATTRIBUTE_READONLY)
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  else
    mode |= S_IWUSR;
  if (mode != (st.st_mode & 07777) && ::chmod(location.posix.c_str(), mode) != 0) return fail_with_errno();
  return TRUE;
}
