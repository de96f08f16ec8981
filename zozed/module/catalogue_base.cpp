#include "zozed/module/catalogue_base.h"

#include <utility>

#include "host/media_services.h"
#include "platform/combaseapi.h"
#include "platform/oleauto.h"
#include "platform/support/com_error.h"
#include "zozed/module/catalogue_reader.h"

namespace zozed {

namespace {

HRESULT create_by_key(std::u16string_view key, IUnknown** component) {
  // The key may carry text before the CLSID; the class id starts at the first brace.
  const auto brace = key.find(u'{');
  if (brace == std::u16string_view::npos) return CO_E_CLASSSTRING;
  const std::u16string clsid_text(key.substr(brace));
  CLSID clsid{};
  const HRESULT parsed = CLSIDFromString(clsid_text.c_str(), &clsid);
  if (FAILED(parsed)) return parsed;
  return CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(component));
}

}  // namespace

HRESULT copy_bstr(std::u16string_view text, BSTR* out) noexcept {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

CatalogueBase::CatalogueBase(std::u16string suffix, LONG default_image_id)
    : suffix_(std::move(suffix)), default_image_id_(default_image_id) {}

CatalogueBase::~CatalogueBase() = default;

HRESULT CatalogueBase::load(IUnknown* owner) noexcept {
  return platform::com_boundary([&]() -> HRESULT {
    if (!environment_) {
      const HRESULT hr = CoCreateInstance(host::CLSID_ClientEnvironment, nullptr, CLSCTX_ALL, IID_IClientEnvironment,
                                          environment_.put_void());
      if (FAILED(hr)) return hr;
    }
    LoadCatalogue();
    if (sink_registered_ || !owner) return S_OK;
    platform::ComPtr<IShutdownSink> sink;
    if (FAILED(owner->QueryInterface(IID_IShutdownSink, sink.put_void()))) return S_OK;
    platform::ComPtr<IMediaServices> media;
    HRESULT hr = CoCreateInstance(host::CLSID_MediaServices, nullptr, CLSCTX_ALL, IID_IMediaServices, media.put_void());
    if (SUCCEEDED(hr)) hr = media->RegisterListener(owner);
    if (FAILED(hr)) throw platform::ComError(hr, IID_IMediaServices);
    sink_registered_ = true;
    return S_OK;
  });
}

void CatalogueBase::LoadCatalogue() {
  IClientEnvironment* environment = environment_.get();
  catalogue_.clear();
  load_catalogue(
      catalogue_,
      [environment](int index) {
        BSTR root = nullptr;
        std::u16string text;
        if (SUCCEEDED(environment->GetCatalogueRoot(index, &root)) && root) text.assign(root, SysStringLen(root));
        SysFreeString(root);
        return text;
      },
      suffix_);
}

void CatalogueBase::ReleaseHostObjects() noexcept {
  environment_.reset();
  catalogue_.clear();
  default_image_.reset();
  sink_registered_ = false;
}

ComponentRecord* CatalogueBase::record(LONG index) noexcept {
  if (index < 0 || static_cast<std::size_t>(index) >= catalogue_.size()) return nullptr;
  return &catalogue_[static_cast<std::size_t>(index)];
}

HRESULT CatalogueBase::host_string(std::uint32_t id, std::u16string& cache) noexcept {
  if (!cache.empty()) return S_OK;
  if (!environment_) return E_UNEXPECTED;
  BSTR text = nullptr;
  const HRESULT hr = environment_->GetHostString(static_cast<LONG>(id), &text);
  if (SUCCEEDED(hr) && text) {
    try {
      cache.assign(text, SysStringLen(text));
    } catch (...) {
      SysFreeString(text);
      return E_OUTOFMEMORY;
    }
  }
  SysFreeString(text);
  return hr;
}

HRESULT CatalogueBase::text(LONG index, BSTR* out, std::u16string ComponentRecord::*field) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  const ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  return copy_bstr(entry->*field, out);
}

HRESULT CatalogueBase::GetCount(LONG* count) noexcept {
  if (!count) return E_POINTER;
  *count = static_cast<LONG>(catalogue_.size());
  return S_OK;
}

HRESULT CatalogueBase::GetName(LONG index, BSTR* name) noexcept {
  if (!name) return E_POINTER;
  *name = nullptr;
  ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  const HRESULT hr = host_string(entry->name_id, entry->display_name);
  if (FAILED(hr)) return hr;
  return copy_bstr(entry->display_name, name);
}

HRESULT CatalogueBase::GetFileCategory(LONG index, BSTR* category, BSTR* configuration_path) noexcept {
  ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  if (!category || !configuration_path) return E_POINTER;
  *category = nullptr;
  *configuration_path = nullptr;
  if (entry->file_category_id == kNoFileCategory) {
    *category = SysAllocStringLen(u"", 0);
    *configuration_path = SysAllocStringLen(u"", 0);
    return S_FALSE;
  }
  return platform::com_boundary([&]() -> HRESULT {
    HRESULT hr = host_string(static_cast<std::uint32_t>(entry->file_category_id), entry->file_category);
    if (FAILED(hr)) return hr;
    BSTR root_text = nullptr;
    hr = environment_->get_ConfigurationRoot(&root_text);
    std::u16string root;
    if (root_text) root.assign(root_text, SysStringLen(root_text));
    SysFreeString(root_text);
    if (FAILED(hr)) return hr;
    if (root.empty()) return E_FAIL;
    const std::u16string path = root + u"\\" + entry->cfg_dir_ref;
    BSTR name = nullptr;
    hr = copy_bstr(entry->file_category, &name);
    if (SUCCEEDED(hr)) hr = copy_bstr(path, configuration_path);
    if (FAILED(hr)) {
      SysFreeString(name);
      return hr;
    }
    *category = name;
    return S_OK;
  });
}

HRESULT CatalogueBase::GetKey(LONG index, BSTR* key) noexcept { return text(index, key, &ComponentRecord::key_name); }

HRESULT CatalogueBase::GetImage(LONG index, IUnknown** image) noexcept {
  if (!image) return E_POINTER;
  *image = nullptr;
  ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  if (!entry->image && environment_)
    (void)environment_->GetImage(static_cast<LONG>(entry->image_id), entry->image.put());
  if (entry->image) return entry->image.CopyTo(image);
  if (!default_image_ && environment_) (void)environment_->GetImage(default_image_id_, default_image_.put());
  if (default_image_) return default_image_.CopyTo(image);
  return S_OK;
}

HRESULT CatalogueBase::GetPriority(LONG index, LONG* priority) noexcept {
  if (!priority) return E_POINTER;
  const ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  *priority = entry->priority;
  return S_OK;
}

HRESULT CatalogueBase::GetActivityPane(LONG index, BSTR* pane) noexcept {
  return text(index, pane, &ComponentRecord::activity_pane);
}

HRESULT CatalogueBase::GetIsActivityPaneStack(LONG index, VARIANT_BOOL* stack) noexcept {
  if (!stack) return E_POINTER;
  const ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  *stack = entry->is_activity_pane_stack ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT CatalogueBase::HasNoSubManager(LONG index, VARIANT_BOOL* none) noexcept {
  if (!none) return E_POINTER;
  const ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  *none = IsEqualGUID(entry->sub_manager_clsid, CLSID_NULL) ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT CatalogueBase::GetSubManager(LONG index, IUnknown** sub_manager) noexcept {
  if (!sub_manager) return E_POINTER;
  *sub_manager = nullptr;
  ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  if (!entry->sub_manager_object) {
    platform::ComPtr<ISubManager> created;
    if (FAILED(CoCreateInstance(entry->sub_manager_clsid, nullptr, CLSCTX_ALL, IID_ISubManager, created.put_void())))
      return S_OK;
    entry->sub_manager_object = platform::ComPtr<IUnknown>::attach(created.detach());
  }
  return entry->sub_manager_object.CopyTo(sub_manager);
}

HRESULT CatalogueBase::CreateComponent(LONG index, IUnknown** component) noexcept {
  if (!component) return E_POINTER;
  *component = nullptr;
  const ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  return platform::com_boundary([&] { return create_by_key(entry->key_name, component); });
}

HRESULT CatalogueBase::CreateComponentByKey(BSTR key, IUnknown** component) noexcept {
  if (!component) return E_POINTER;
  *component = nullptr;
  const std::u16string_view wanted = key ? std::u16string_view(key, SysStringLen(key)) : std::u16string_view();
  const ComponentRecord* entry = catalogue_.find(wanted);
  if (!entry) return E_FAIL;
  return platform::com_boundary([&] { return create_by_key(entry->key_name, component); });
}

HRESULT CatalogueBase::GetUnknown(IUnknown** self) noexcept {
  if (!self) return E_POINTER;
  *self = nullptr;
  return S_OK;
}

HRESULT CatalogueBase::GetToolbar(LONG index, BSTR* toolbar) noexcept {
  return text(index, toolbar, &ComponentRecord::toolbar);
}
HRESULT CatalogueBase::GetCategory(LONG index, BSTR* category) noexcept {
  return text(index, category, &ComponentRecord::category);
}
HRESULT CatalogueBase::GetServer(LONG index, BSTR* server) noexcept {
  return text(index, server, &ComponentRecord::server);
}
HRESULT CatalogueBase::GetComponentOptions(LONG index, BSTR* options) noexcept {
  return text(index, options, &ComponentRecord::component_options);
}
HRESULT CatalogueBase::GetType(LONG index, BSTR* type) noexcept { return text(index, type, &ComponentRecord::type); }
HRESULT CatalogueBase::GetURL(LONG index, BSTR* url) noexcept { return text(index, url, &ComponentRecord::url); }

HRESULT CatalogueBase::GetGlyph(LONG index, LONG* number, BSTR* entry_name) noexcept {
  if (!number || !entry_name) return E_POINTER;
  *entry_name = nullptr;
  const ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  *number = static_cast<LONG>(entry->glyph_number);
  return copy_bstr(entry->glyph_entry, entry_name);
}

HRESULT CatalogueBase::GetToolTip(LONG index, BSTR* tooltip) noexcept {
  if (!tooltip) return E_POINTER;
  *tooltip = nullptr;
  ComponentRecord* entry = record(index);
  if (!entry) return E_INVALIDARG;
  if (entry->tooltip_id != 0) {
    const HRESULT hr = host_string(entry->tooltip_id, entry->tooltip);
    if (FAILED(hr)) return hr;
  }
  return copy_bstr(entry->tooltip, tooltip);
}

}  // namespace zozed
