#include "zozed/video/content_protection.h"

#include <string>

#include "platform/errhandlingapi.h"
#include "platform/winerror.h"
#include "platform/libloaderapi.h"

namespace zozed::video {
namespace {

HRESULT last_error_as_hresult() noexcept {
  const auto error = static_cast<LONG>(GetLastError());
  return error > 0 ? static_cast<HRESULT>(0x80070000u | (static_cast<DWORD>(error) & 0xFFFFu)) : error;
}

}  // namespace

HRESULT BindContentProtectionCheck(host::WMIsContentProtectedProc& check) noexcept {
  check = nullptr;
  // Once loaded the library stays: later checks find it by handle.
  HMODULE runtime = GetModuleHandleA(host::kWmvcoreLibrary);
  if (!runtime) runtime = LoadLibraryA(host::kWmvcoreLibrary);
  if (!runtime) return last_error_as_hresult();
  const FARPROC entry = GetProcAddress(runtime, host::kIsContentProtectedEntry);
  if (!entry) return last_error_as_hresult();
  check = reinterpret_cast<host::WMIsContentProtectedProc>(reinterpret_cast<void*>(entry));
  return S_OK;
}

bool IsContentProtected(std::u16string_view path) noexcept {
  host::WMIsContentProtectedProc check = nullptr;
  // A loader failure without a last error answers S_OK with no entry point.
  if (FAILED(BindContentProtectionCheck(check)) || !check) return false;
  try {
    const std::u16string file(path);
    BOOL is_protected = FALSE;
    return check(file.c_str(), &is_protected) == S_OK && is_protected != FALSE;
  } catch (...) {
    return false;
  }
}

}  // namespace zozed::video
