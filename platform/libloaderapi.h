// Loading shared objects by their Windows DLL names: "x.dll" is the shared object "x.so"
// beside the executable or in a directory of the loader's search path.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/windef.h"

using FARPROC = INT_PTR (*)();

// An HMODULE is the address a shared object is mapped at; GetModuleFileNameW accepts any
// address inside one and answers a Windows path on drive Z:. Failures set GetLastError (ERROR_MOD_NOT_FOUND, ERROR_PROC_NOT_FOUND).
extern "C" {
HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName);
HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName);
FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
BOOL WINAPI FreeLibrary(HMODULE hLibModule);
HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName);
HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
}

namespace platform {

// The path of the shared object (or executable) holding `address_in_module`, in the Windows
// form GetModuleFileNameW gives ("Z:\\dir\\x.so"); empty if none.
std::u16string module_path_of(const void* address_in_module);

}  // namespace platform

namespace platform::loader {

// Directories searched after the executable's own, in order.
void set_search_path(std::vector<std::string> directories);
std::vector<std::string> search_path();

}  // namespace platform::loader
