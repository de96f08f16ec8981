#include "zozed/panes/component_settings.h"

#include "platform/objbase.h"
#include "platform/support/bstr.h"
#include "platform/support/reg_key.h"

namespace zozed {

ComponentSettingsLocator::ComponentSettingsLocator(const CLSID& pane, std::u16string suffix)
    : suffix_(std::move(suffix)) {
  OLECHAR text[CHARS_IN_GUID] = {};
  StringFromGUID2(pane, text, CHARS_IN_GUID);
  clsid_ = text;
  (void)CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                         environment_.put_void());
}

std::optional<std::u16string> ComponentSettingsLocator::settings_key() const {
  if (!environment_) return std::nullopt;
  platform::Bstr root;
  if (FAILED(environment_->get_ConfigurationRoot(root.put()))) return std::nullopt;
  return std::u16string(root.view()) + u"\\Options" + suffix_ + u"\\" + clsid_;
}

std::u16string ComponentSettingsLocator::component_folder() const {
  const auto path = settings_key();
  if (!path) return {};
  platform::RegKey key;
  std::u16string folder;
  if (key.open(HKEY_CURRENT_USER, *path, KEY_READ) != ERROR_SUCCESS) return {};
  if (key.get_string(kComponentFolderValue, folder) != ERROR_SUCCESS) return {};
  return folder;
}

HRESULT ComponentSettingsLocator::set_component_folder(std::u16string_view folder) const {
  const auto path = settings_key();
  if (!path) return E_FAIL;
  platform::RegKey key;
  LONG status = key.create(HKEY_CURRENT_USER, *path, KEY_READ | KEY_WRITE);
  if (status == ERROR_SUCCESS) status = key.set_string(kComponentFolderValue, folder);
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

}  // namespace zozed
