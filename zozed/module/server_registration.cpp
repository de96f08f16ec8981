// DllRegisterServer and DllUnregisterServer: the registration scripts with %MODULE% set to
// this module's path, and the two type libraries the class keys name.
#include "platform/libloaderapi.h"
#include "platform/registrar.h"
#include "platform/support/com_ptr.h"
#include "platform/typelibapi.h"
#include "zozed/module/class_ids.h"
#include "zozed/module/class_map.h"
#include "zozed/module/registration_scripts.h"

namespace zozed {
namespace {

struct TypeLibrary {
  const GUID* libid;
  const char16_t* name;
};

constexpr TypeLibrary kTypeLibraries[] = {
    {&LIBID_STGZozedAradizuzOdaru, u"STGZozedAradizuzOdaru 1.0 Type Library"},
    {&LIBID_STGArchivePane, u"STGArchivePane 1.0 Type Library"},
};

constexpr WORD kMajor = 1;
constexpr WORD kMinor = 0;

std::u16string this_module_path() {
  static const char marker = 0;
  return platform::module_path_of(&marker);
}

}  // namespace

HRESULT register_server() {
  const std::u16string path = this_module_path();
  const platform::RegistrarReplacements replacements{{u"MODULE", path}};
  for (const auto& script : registration_scripts()) {
    const HRESULT hr = platform::run_registrar_script(script.text, replacements, platform::RegistrarMode::Register);
    if (FAILED(hr)) return hr;
  }
  for (const auto& library : kTypeLibraries) {
    platform::ComPtr<ITypeLib> lib;
    HRESULT hr = platform::create_type_lib(*library.libid, kMajor, kMinor, 0, library.name, lib.put());
    if (SUCCEEDED(hr)) hr = RegisterTypeLib(lib.get(), path.c_str(), nullptr);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

// Removes as much as it can and answers the first failure.
HRESULT unregister_server() {
  const platform::RegistrarReplacements replacements{{u"MODULE", this_module_path()}};
  HRESULT first = S_OK;
  for (const auto& script : registration_scripts()) {
    const HRESULT hr = platform::run_registrar_script(script.text, replacements, platform::RegistrarMode::Unregister);
    if (FAILED(hr) && SUCCEEDED(first)) first = hr;
  }
  for (const auto& library : kTypeLibraries) {
    const HRESULT hr = UnRegisterTypeLib(*library.libid, kMajor, kMinor, 0, SYS_WIN64);
    if (FAILED(hr) && SUCCEEDED(first)) first = hr;
  }
  return first;
}

}  // namespace zozed
