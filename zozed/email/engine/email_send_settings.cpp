#include "zozed/email/engine/email_send_settings.h"

#include "platform/objbase.h"
#include "platform/winreg.h"
#include "zozed/email/engine/email_options_key.h"

namespace zozed::email {
namespace {

struct NamedField {
  const char* name;
  DWORD EmailSendSettings::*field;
};

constexpr NamedField kFields[] = {
    {EmailSendSettings::kOptimization, &EmailSendSettings::optimization},
    {EmailSendSettings::kResolution, &EmailSendSettings::resolution},
    {EmailSendSettings::kMaxSizePhoto, &EmailSendSettings::max_size_photo},
    {EmailSendSettings::kWarnAttExceeds, &EmailSendSettings::warn_att_exceeds},
    {EmailSendSettings::kMaxSizeAtt, &EmailSendSettings::max_size_att},
    {EmailSendSettings::kMethodSend, &EmailSendSettings::method_send},
    {EmailSendSettings::kSendOptions, &EmailSendSettings::send_options},
};

}  // namespace

EmailSendSettings::EmailSendSettings() {
  (void)CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_SERVER, IID_IClientEnvironment,
                         environment.put_void());
  Load();
}

// The stored type is not checked: whatever fits four bytes is taken as the number.
void EmailSendSettings::Load() {
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, kEmailOptionsKey, &key) != ERROR_SUCCESS) return;
  for (const auto& [name, field] : kFields) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS)
      this->*field = value;
  }
  (void)RegCloseKey(key);
}

void EmailSendSettings::Save() const {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  for (const auto& [name, field] : kFields) {
    const DWORD value = this->*field;
    (void)RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  }
  (void)RegCloseKey(key);
}

}  // namespace zozed::email
