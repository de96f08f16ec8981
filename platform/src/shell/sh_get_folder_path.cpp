// SHGetFolderPathW: the special folders a photo program asks for, from the XDG folders (or the
// machine profile's pictures folder), as Windows paths through the drive table.
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "platform/path_mapping.h"
#include "platform/shlobj.h"
#include "platform/src/profile/machine_state.h"
#include "platform/src/shell/user_folders.h"
#include "platform/winerror.h"

namespace {

using namespace platform::shell;

// The POSIX folder for a CSIDL; empty for one this platform does not know.
std::string folder_for(int csidl) {
  switch (csidl) {
    case CSIDL_MYPICTURES: {
      const auto machine = platform::profile::machine_state();
      if (!machine->profile.pictures_folder.empty()) return machine->profile.pictures_folder;
      return user_dir("PICTURES", "Pictures");
    }
    case CSIDL_PERSONAL: return user_dir("DOCUMENTS", "Documents");
    case CSIDL_MYMUSIC: return user_dir("MUSIC", "Music");
    case CSIDL_MYVIDEO: return user_dir("VIDEOS", "Videos");
    case CSIDL_DESKTOPDIRECTORY: return user_dir("DESKTOP", "Desktop");
    case CSIDL_APPDATA: return config_home();
    case CSIDL_LOCAL_APPDATA: return data_home();
    case CSIDL_PROFILE: return home_folder();
    default: return {};
  }
}

bool is_folder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool make_folders(const std::string& folder) {
  for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
    ::mkdir(folder.substr(0, slash).c_str(), 0777);
  ::mkdir(folder.c_str(), 0700);
  return is_folder(folder);
}

}  // namespace

extern "C" HRESULT WINAPI SHGetFolderPathW(HWND, int csidl, HANDLE, DWORD dwFlags, LPWSTR pszPath) {
  if (pszPath) pszPath[0] = 0;
  if (dwFlags != SHGFP_TYPE_CURRENT && dwFlags != SHGFP_TYPE_DEFAULT) return E_INVALIDARG;
  const std::string folder = folder_for(csidl & ~CSIDL_FLAG_MASK);
  if (folder.empty()) return E_INVALIDARG;
  if (!pszPath) return E_INVALIDARG;
  if (!is_folder(folder)) {
    if (csidl & CSIDL_FLAG_CREATE) {
      if (!make_folders(folder)) return E_FAIL;
    } else if (!(csidl & CSIDL_FLAG_DONT_VERIFY)) {
      return E_FAIL;
    }
  }
  const std::u16string path = platform::windows_path_of(folder);
  if (path.empty() || path.size() >= MAX_PATH) return E_FAIL;
  std::memcpy(pszPath, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
  return S_OK;
}
