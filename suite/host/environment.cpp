// The suite's environment object (all three environment classes): texts, cursors, dialog
// templates and their init data by number, and the registry roots. Configuration lives below HKEY_CURRENT_USER at the
// configuration root (components append their `Cfg Dir Ref`), user settings at SettingsPath
// ("\Options" below it), format loaders at FormatLoaderBasePath ("\TSGFormatLoaders\{id}").
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "host/environment.h"
#include "host/skin_folders.h"
#include "platform/support/dispatch_object.h"
#include "platform/errhandlingapi.h"
#include "platform/winuser.h"
#include "suite/host/dialog_templates.h"
#include "suite/host/host_strings.h"
#include "suite/host/suite_objects.h"

namespace suite {
namespace {

using platform::DispatchCall;
using platform::DispatchMember;

HRESULT copy_text(std::u16string_view text, BSTR* out) {
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

class Environment final
    : public platform::DispatchObject<Environment, platform::Chain<IClientEnvironment, IDispatch>, ISkinFolders> {
 public:
  explicit Environment(std::shared_ptr<SuiteState> state) : state_(std::move(state)) {}

  STDMETHODIMP GetHostString(LONG id, BSTR* text) override {
    if (!text) return E_POINTER;
    *text = nullptr;
    const auto found = find_host_string(id);
    if (!found) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
    return copy_text(*found, text);
  }

  STDMETHODIMP GetCursor(LONG id, HCURSOR* cursor) override {
    if (!cursor) return E_POINTER;
    *cursor = nullptr;
    if (id != host::kBusyCursor) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
    *cursor = LoadCursorW(nullptr, IDC_WAIT);
    return *cursor ? S_OK : HRESULT_FROM_WIN32(static_cast<LONG>(GetLastError()));
  }

  // Dialog templates (type 5) and their init data (type 240) as byte arrays.
  STDMETHODIMP GetResource(LONG id, LONG type, VARIANT* resource) override {
    if (!resource) return E_POINTER;
    VariantInit(resource);
    std::optional<std::vector<BYTE>> bytes;
    if (type == host::kResourceDialogTemplate)
      bytes = dialog_template(id);
    else if (type == host::kResourceInitData)
      bytes = dialog_init_data(id);
    if (!bytes || bytes->empty()) return S_FALSE;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes->size()));
    if (!array) return E_OUTOFMEMORY;
    void* data = nullptr;
    const HRESULT hr = SafeArrayAccessData(array, &data);
    if (FAILED(hr)) {
      SafeArrayDestroy(array);
      return hr;
    }
    std::memcpy(data, bytes->data(), bytes->size());
    SafeArrayUnaccessData(array);
    resource->vt = VT_ARRAY | VT_UI1;
    resource->parray = array;
    return S_OK;
  }

  // Nor images.
  STDMETHODIMP GetImage(LONG, IUnknown** image) override {
    if (!image) return E_POINTER;
    *image = nullptr;
    return S_FALSE;
  }

  STDMETHODIMP get_ConfigurationRoot(BSTR* path) override { return text_out(state_->settings.configuration_root, path); }
  STDMETHODIMP get_SettingsPath(BSTR* path) override { return text_out(state_->settings.settings_path, path); }
  STDMETHODIMP get_FormatLoaderBasePath(BSTR* path) override {
    return text_out(state_->settings.format_loader_base_path, path);
  }

  STDMETHODIMP get_LayoutRoot(BSTR* path) override { return text_out(state_->settings.layout_root, path); }

  STDMETHODIMP GetCatalogueRoot(LONG index, BSTR* root) override {
    if (!root) return E_POINTER;
    *root = nullptr;
    if (index < 0) return E_INVALIDARG;
    const auto& roots = state_->settings.catalogue_roots;
    if (static_cast<std::size_t>(index) >= roots.size()) {
      const HRESULT hr = copy_text(u"", root);
      return FAILED(hr) ? hr : S_FALSE;
    }
    return copy_text(roots[static_cast<std::size_t>(index)], root);
  }

  static std::span<const DispatchMember<Environment>> dispatch_members() {
    static constexpr std::array<DispatchMember<Environment>, 5> kMembers{{
        {1, u"ConfigurationRoot", DISPATCH_PROPERTYGET, &Environment::dispatch_configuration_root},
        {2, u"SettingsPath", DISPATCH_PROPERTYGET, &Environment::dispatch_settings_path},
        {3, u"FormatLoaderBasePath", DISPATCH_PROPERTYGET, &Environment::dispatch_format_loader_base_path},
        {4, u"HostString", DISPATCH_METHOD, &Environment::dispatch_host_string},
        {5, u"CatalogueRoot", DISPATCH_METHOD, &Environment::dispatch_catalogue_root},
    }};
    return kMembers;
  }

 private:
  static HRESULT text_out(const std::u16string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return copy_text(text, out);
  }

  HRESULT dispatch_configuration_root(const DispatchCall& call) {
    call.set_result(std::u16string_view(state_->settings.configuration_root));
    return S_OK;
  }
  HRESULT dispatch_settings_path(const DispatchCall& call) {
    call.set_result(std::u16string_view(state_->settings.settings_path));
    return S_OK;
  }
  HRESULT dispatch_format_loader_base_path(const DispatchCall& call) {
    call.set_result(std::u16string_view(state_->settings.format_loader_base_path));
    return S_OK;
  }
  HRESULT dispatch_host_string(const DispatchCall& call) {
    const auto found = find_host_string(call.get_long(0));
    if (!found) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
    call.set_result(*found);
    return S_OK;
  }
  HRESULT dispatch_catalogue_root(const DispatchCall& call) {
    platform::Bstr root;
    const HRESULT hr = GetCatalogueRoot(call.get_long(0), root.put());
    if (FAILED(hr)) return hr;
    call.set_result(root.view());
    return hr;
  }

  std::shared_ptr<SuiteState> state_;
};

}  // namespace

HRESULT create_environment(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<Environment>(riid, ppv, state);
}

}  // namespace suite
