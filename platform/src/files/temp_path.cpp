// GetTempPath and GetTempFileName. The temporary folder is the profile's, else $TMPDIR/zozed-<uid>
// (a folder of the user's own, as Windows gives each user one); it is made when first asked for.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/errhandlingapi.h"
#include "platform/fileapi.h"
#include "platform/handleapi.h"
#include "platform/src/files/path_resolution.h"
#include "platform/winerror.h"

using namespace platform::files;

namespace {

std::string temp_folder(const platform::MachineProfile& machine) {
  if (!machine.temp_folder.empty()) return machine.temp_folder;
  const char* base = std::getenv("TMPDIR");
  std::string folder = base && base[0] == '/' ? base : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return (folder == "/" ? "" : folder) + "/zozed-" + std::to_string(::getuid());
}

void make_folders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
    ::mkdir(folder.substr(0, slash).c_str(), 0777);
  ::mkdir(folder.c_str(), 0700);
}

void put_hex4(std::u16string& out, UINT value) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
}

}  // namespace

extern "C" DWORD WINAPI GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
  const auto machine = platform::profile::machine_state();
  const std::string folder = temp_folder(machine->profile);
  make_folders(folder);
  std::u16string path = windows_path_in(*machine, folder);
  if (path.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
  }
  if (path.back() != u'\\') path += u'\\';
  const DWORD length = static_cast<DWORD>(path.size());
  // Too small: the size needed with the terminator, the buffer untouched.
  if (!lpBuffer || nBufferLength <= length) return length + 1;
  std::memcpy(lpBuffer, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
  return length;
}

extern "C" UINT WINAPI GetTempFileNameW(LPCWSTR lpPathName, LPCWSTR lpPrefixString, UINT uUnique,
                                        LPWSTR lpTempFileName) {
  if (!lpPathName || !lpTempFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string base = lpPathName;
  if (base.size() > MAX_PATH - 14) {
    SetLastError(ERROR_BUFFER_OVERFLOW);
    return 0;
  }
  if (!base.empty() && base.back() != u'\\' && base.back() != u'/') base += u'\\';
  for (int k = 0; lpPrefixString && k < 3 && lpPrefixString[k]; ++k) base += lpPrefixString[k];
  auto name_for = [&](UINT unique) {
    std::u16string name = base;
    put_hex4(name, unique);
    return name + u".TMP";
  };
  if (uUnique != 0) {
    const std::u16string name = name_for(uUnique & 0xFFFF);
    std::memcpy(lpTempFileName, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
    return uUnique & 0xFFFF;
  }
  // As Windows: start from the clock, count up, and create the first name that is free.
  UINT unique = static_cast<UINT>(std::chrono::steady_clock::now().time_since_epoch().count()) & 0xFFFF;
  for (UINT tries = 0; tries < 0xFFFF; ++tries, unique = (unique + 1) & 0xFFFF) {
    if (unique == 0) continue;
    const std::u16string name = name_for(unique);
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      std::memcpy(lpTempFileName, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
      SetLastError(ERROR_SUCCESS);
      return unique;
    }
    const DWORD error = GetLastError();
    if (error == static_cast<DWORD>(ERROR_FILE_EXISTS)) continue;
    SetLastError(error == static_cast<DWORD>(ERROR_PATH_NOT_FOUND) || error == static_cast<DWORD>(ERROR_FILE_NOT_FOUND)
                     ? ERROR_DIRECTORY
                     : error);
    return 0;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return 0;
}
