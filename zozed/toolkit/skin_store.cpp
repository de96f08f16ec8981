#include "zozed/toolkit/skin_store.h"

#include "host/environment.h"
#include "host/skin.h"
#include "platform/objbase.h"
#include "platform/support/bstr.h"
#include "platform/support/com_ptr.h"

namespace zozed::toolkit {

bool open_skin_key(std::u16string_view key, platform::RegKey& out) {
  platform::ComPtr<IClientEnvironment> environment;
  if (FAILED(CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                              environment.put_void())))
    return false;
  platform::Bstr root;
  if (FAILED(environment->get_ConfigurationRoot(root.put()))) return false;
  platform::RegKey key_found;
  if (key_found.open(HKEY_CURRENT_USER, host::skin_key_path(root.view(), key), KEY_READ) != ERROR_SUCCESS)
    return false;
  out = std::move(key_found);
  return true;
}

DWORD skin_dword(std::u16string_view key, std::u16string_view name, DWORD fallback) {
  platform::RegKey opened;
  if (!open_skin_key(key, opened)) return fallback;
  DWORD value = 0;
  return opened.get_dword(name, value) == ERROR_SUCCESS ? value : fallback;
}

}  // namespace zozed::toolkit
