// LoadLibrary and friends over dlopen. An HMODULE is the address the shared object is
// mapped at, as on Windows, so any address inside it leads back to its file.
#include <dlfcn.h>
#include <unistd.h>
#include <link.h>

#include <cstring>

#include "platform/errhandlingapi.h"
#include "platform/libloaderapi.h"
#include "platform/src/loader/file_names.h"
#include "platform/winnls.h"
#include "platform/winerror.h"

using namespace platform::loader;

namespace {

constexpr int kOpenFlags = RTLD_NOW | RTLD_LOCAL;

struct MainProgram {
  const void* base = nullptr;
};

int find_main(dl_phdr_info* info, size_t, void* data) {
  // The first object reported is the executable.
  Dl_info where{};
  if (dladdr(info->dlpi_phdr, &where)) static_cast<MainProgram*>(data)->base = where.dli_fbase;
  return 1;
}

const void* main_base() {
  static const void* base = [] {
    MainProgram main;
    dl_iterate_phdr(&find_main, &main);
    return main.base;
  }();
  return base;
}

HMODULE base_of_handle(void* handle) {
  link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map) return nullptr;
  Dl_info where{};
  if (!dladdr(map->l_ld, &where)) return nullptr;
  return static_cast<HMODULE>(where.dli_fbase);
}

// The POSIX path of the object containing `address`; empty for none. The executable is
// named through /proc, since the loader only knows it by argv[0].
std::string posix_path_containing(const void* address) {
  Dl_info where{};
  if (!address || !dladdr(address, &where) || !where.dli_fname) return {};
  if (where.dli_fbase == main_base() || !where.dli_fname[0]) {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
  }
  return where.dli_fname;
}

// A new loader reference to the loaded object at `module` (caller closes it), or null.
void* reopen(HMODULE module) {
  if (!module || module == main_base()) return dlopen(nullptr, RTLD_NOW);
  Dl_info where{};
  if (!dladdr(module, &where) || where.dli_fbase != module || !where.dli_fname) return nullptr;
  return dlopen(where.dli_fname, RTLD_NOW | RTLD_NOLOAD);
}

}  // namespace

extern "C" HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName) {
  const auto path = lpLibFileName ? find_library(lpLibFileName) : std::nullopt;
  void* handle = path ? dlopen(path->c_str(), kOpenFlags) : nullptr;
  HMODULE module = handle ? base_of_handle(handle) : nullptr;
  if (!module) {
    if (handle) dlclose(handle);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return module;  // the loader's reference is the caller's until FreeLibrary
}

extern "C" HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
  if (!lpLibFileName) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  // File names here are UTF-8 whatever the ANSI code page says.
  return LoadLibraryW(platform::from_utf8(lpLibFileName).c_str());
}

extern "C" BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  if (hLibModule && hLibModule == main_base()) return TRUE;
  void* handle = reopen(hLibModule);
  if (!hLibModule || !handle) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  dlclose(handle);  // the reference reopen took
  return dlclose(handle) == 0 ? TRUE : FALSE;
}

extern "C" FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  // Exports by ordinal (a pointer below 64K) do not exist on this platform.
  if (!lpProcName || reinterpret_cast<ULONG_PTR>(lpProcName) < 0x10000) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* handle = reopen(hModule);
  if (!handle) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  void* symbol = dlsym(handle, lpProcName);
  dlclose(handle);
  if (!symbol) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

extern "C" HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName) {
  if (!lpModuleName) return static_cast<HMODULE>(const_cast<void*>(main_base()));
  const auto path = find_library(lpModuleName);
  void* handle = path ? dlopen(path->c_str(), RTLD_NOW | RTLD_NOLOAD) : nullptr;
  if (!handle) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  HMODULE module = base_of_handle(handle);
  dlclose(handle);  // GetModuleHandle takes no reference
  if (!module) SetLastError(ERROR_MOD_NOT_FOUND);
  return module;
}

extern "C" HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (!lpModuleName) return GetModuleHandleW(nullptr);
  return GetModuleHandleW(platform::from_utf8(lpModuleName).c_str());
}

extern "C" DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
  const std::string posix = posix_path_containing(hModule ? static_cast<const void*>(hModule) : main_base());
  if (posix.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  const std::u16string path = windows_path_of(posix);
  if (path.empty()) {  // on no mapped drive
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
  }
  if (!lpFilename || nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // Too small: truncated, terminated, nSize answered and ERROR_INSUFFICIENT_BUFFER set.
  const DWORD copied = path.size() < nSize ? static_cast<DWORD>(path.size()) : nSize - 1;
  std::memcpy(lpFilename, path.data(), copied * sizeof(WCHAR));
  lpFilename[copied] = 0;
  if (copied < path.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  SetLastError(ERROR_SUCCESS);
  return copied;
}

namespace platform {

std::u16string module_path_of(const void* address_in_module) {
  const std::string posix = posix_path_containing(address_in_module);
  return posix.empty() ? std::u16string() : loader::windows_path_of(posix);
}

}  // namespace platform
