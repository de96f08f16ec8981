// The attribute bits and times of a file.
#include "platform/src/files/file_info.h"

#include "platform/fileapi.h"

namespace platform::files {

DWORD attributes_of(const struct stat& st, std::u16string_view name) {
  DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  if (!(st.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  if (name.size() > 1 && name[0] == u'.' && name != u"..") attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes;
}

FILETIME filetime_of(const struct timespec& time) {
  constexpr LONGLONG kSecondsFrom1601To1970 = 11644473600LL;
  const ULONGLONG ticks = static_cast<ULONGLONG>((time.tv_sec + kSecondsFrom1601To1970) * 10000000LL + time.tv_nsec / 100);
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace platform::files
