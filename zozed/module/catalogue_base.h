// CatalogueBase: one component catalogue of a service manager, loaded over every catalogue root
// the host reports, with the ISubManager operations answered from it and the host's names and
// images cached in its records until the host shuts down.
#pragma once

#include <string>

#include "host/environment.h"
#include "host/sub_manager.h"
#include "platform/support/com_ptr.h"
#include "zozed/module/component_catalogue.h"

namespace zozed {

class CatalogueBase {
 public:
  // `suffix` is appended to every catalogue root, e.g. u"\\TSGShare".
  explicit CatalogueBase(std::u16string suffix, LONG default_image_id = 0);
  CatalogueBase(const CatalogueBase&) = delete;
  CatalogueBase& operator=(const CatalogueBase&) = delete;
  virtual ~CatalogueBase();

  // Creates the host's environment, reads the catalogue and, the first time, registers `owner`
  // with the host's media services when it answers IShutdownSink.
  [[nodiscard]] HRESULT load(IUnknown* owner) noexcept;
  // Drops the environment, the list and the default image; the next load registers again.
  virtual void ReleaseHostObjects() noexcept;

  const ComponentCatalogue& catalogue() const noexcept { return catalogue_; }
  IClientEnvironment* environment() const noexcept { return environment_.get(); }

  HRESULT GetCount(LONG* count) noexcept;
  HRESULT GetName(LONG index, BSTR* name) noexcept;
  virtual HRESULT GetFileCategory(LONG index, BSTR* category, BSTR* configuration_path) noexcept;
  HRESULT GetKey(LONG index, BSTR* key) noexcept;
  HRESULT GetImage(LONG index, IUnknown** image) noexcept;
  HRESULT GetPriority(LONG index, LONG* priority) noexcept;
  HRESULT GetActivityPane(LONG index, BSTR* pane) noexcept;
  HRESULT GetIsActivityPaneStack(LONG index, VARIANT_BOOL* stack) noexcept;
  HRESULT HasNoSubManager(LONG index, VARIANT_BOOL* none) noexcept;
  HRESULT GetSubManager(LONG index, IUnknown** sub_manager) noexcept;
  HRESULT CreateComponent(LONG index, IUnknown** component) noexcept;
  HRESULT CreateComponentByKey(BSTR key, IUnknown** component) noexcept;
  // The base has no COM identity of its own.
  HRESULT GetUnknown(IUnknown** self) noexcept;
  HRESULT GetToolbar(LONG index, BSTR* toolbar) noexcept;
  HRESULT GetCategory(LONG index, BSTR* category) noexcept;
  HRESULT GetServer(LONG index, BSTR* server) noexcept;
  HRESULT GetComponentOptions(LONG index, BSTR* options) noexcept;
  HRESULT GetGlyph(LONG index, LONG* number, BSTR* entry) noexcept;
  HRESULT GetType(LONG index, BSTR* type) noexcept;
  HRESULT GetToolTip(LONG index, BSTR* tooltip) noexcept;
  HRESULT GetURL(LONG index, BSTR* url) noexcept;

 protected:
  // The record at `index`, or null when the index is outside the list.
  ComponentRecord* record(LONG index) noexcept;
  // Reads the catalogue over the environment's roots; the environment must be present.
  virtual void LoadCatalogue();

 private:
  HRESULT text(LONG index, BSTR* out, std::u16string ComponentRecord::*field) noexcept;
  // The host string `id` into `cache` unless it already holds text.
  HRESULT host_string(std::uint32_t id, std::u16string& cache) noexcept;

  std::u16string suffix_;
  LONG default_image_id_;
  platform::ComPtr<IClientEnvironment> environment_;
  ComponentCatalogue catalogue_;
  platform::ComPtr<IUnknown> default_image_;
  bool sink_registered_ = false;
};

// A new BSTR copy of `text` into `out` (cleared first).
[[nodiscard]] HRESULT copy_bstr(std::u16string_view text, BSTR* out) noexcept;

}  // namespace zozed
