#include <string>

#include "host/working_folder.h"
#include "platform/fileapi.h"
#include "platform/oleauto.h"
#include "platform/winbase.h"
#include "platform/support/com_error.h"
#include "platform/support/reg_key.h"
#include "platform/winreg.h"
#include "zozed/module/service_manager.h"

namespace zozed {

namespace {

// The e-mail components whose working folder is made on first use, with the host string
// naming their folder below the host's base folder.
struct DefaultFolder {
  const char16_t* key;
  LONG folder_name_id;
};
constexpr DefaultFolder kDefaultFolders[] = {
    {u"{126239D4-FA95-4566-A14E-2A111932D54A}", 62159},
    {u"{CC5762EC-7E7A-4ac0-BA03-4ED20FD8BE8F}", 62418},
};

std::u16string take(BSTR b) {
  std::u16string text = b ? std::u16string(b, SysStringLen(b)) : std::u16string();
  SysFreeString(b);
  return text;
}

HRESULT default_folder(IClientEnvironment* environment, LONG folder_name_id, std::u16string& folder) {
  platform::ComPtr<IWorkingFolder> working;
  HRESULT hr = CoCreateInstance(host::CLSID_WorkingFolder, nullptr, CLSCTX_ALL, IID_IWorkingFolder, working.put_void());
  if (FAILED(hr)) return hr;
  BSTR base = nullptr;
  hr = working->GetBaseFolder(&base);
  folder = take(base);
  if (FAILED(hr)) return hr;
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  BSTR name = nullptr;
  hr = environment->GetHostString(folder_name_id, &name);
  const std::u16string folder_name = take(name);
  if (FAILED(hr)) return hr;
  folder += folder_name;
  // An existing folder is as good as a new one.
  (void)CreateDirectoryW(folder.c_str(), nullptr);
  return S_OK;
}

}  // namespace

STDMETHODIMP STGShareManager::GetFileCategory(LONG index, BSTR* category, BSTR* configuration_path) {
  BSTR name = nullptr;
  BSTR path = nullptr;
  HRESULT hr = main_.GetFileCategory(index, category ? &name : nullptr, configuration_path ? &path : nullptr);
  if (hr != S_OK) {
    if (category) *category = name;
    if (configuration_path) *configuration_path = path;
    return reported(hr);
  }
  hr = platform::com_boundary([&]() -> HRESULT {
    const std::u16string key_path(path, SysStringLen(path));
    platform::RegKey settings;
    LONG status = settings.create(HKEY_CURRENT_USER, key_path, KEY_ALL_ACCESS);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    std::u16string folder;
    if (settings.get_string(u"CmpntDir", folder) == ERROR_SUCCESS && !folder.empty()) return S_OK;
    BSTR key = nullptr;
    HRESULT key_hr = main_.GetKey(index, &key);
    const std::u16string component = take(key);
    if (FAILED(key_hr)) return key_hr;
    for (const auto& entry : kDefaultFolders) {
      if (component != entry.key) continue;
      const HRESULT made = default_folder(main_.environment(), entry.folder_name_id, folder);
      if (FAILED(made)) return made;
      status = settings.set_string(u"CmpntDir", folder);
      return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
    }
    return S_OK;
  });
  if (FAILED(hr)) {
    SysFreeString(name);
    SysFreeString(path);
    *category = nullptr;
    *configuration_path = nullptr;
    return reported(hr);
  }
  *category = name;
  *configuration_path = path;
  return S_OK;
}

STDMETHODIMP STGShareManager::InterfaceSupportsErrorInfo(REFIID iid) {
  return IsEqualGUID(iid, IID_ISubManager) ? S_OK : S_FALSE;
}

void STGShareManager::report_failure(HRESULT hr, const IID& iid) noexcept {
  platform::ComPtr<ICreateErrorInfo> created;
  if (FAILED(CreateErrorInfo(created.put()))) return;
  (void)created->SetGUID(iid);
  (void)created->SetSource(const_cast<LPOLESTR>(u"STGZozedAradizuzOdaru.STGShareManager.1"));
  WCHAR text[512] = {};
  if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(hr), 0,
                     text, 512, nullptr) != 0)
    (void)created->SetDescription(text);
  platform::ComPtr<IErrorInfo> info;
  if (SUCCEEDED(created->QueryInterface(IID_IErrorInfo, info.put_void()))) (void)SetErrorInfo(0, info.get());
}

}  // namespace zozed
