// ServiceManager: the COM object of a service manager (Share, Save). It answers ISubManager from
// its main catalogue, keeps an internal source catalogue, lets go of host objects when the host
// shuts down and aggregates the free-threaded marshaler.
#pragma once

#include <span>
#include <string>

#include "host/media_services.h"
#include "host/sub_manager.h"
#include "platform/combaseapi.h"
#include "platform/objidl.h"
#include "platform/support/dispatch_object.h"
#include "zozed/module/catalogue_base.h"

namespace zozed {

template <class Derived>
class ServiceManager : public platform::DispatchObject<Derived, platform::Chain<ISubManager, IDispatch>, IShutdownSink,
                                                        ICommandTarget> {
 public:
  // Late binding serves no members yet; callers use the ISubManager vtable.
  static std::span<const platform::DispatchMember<Derived>> dispatch_members() { return {}; }

  HRESULT FinalConstruct() {
    HRESULT hr = main_.load(this->identity());
    if (SUCCEEDED(hr)) hr = source_.load(this->identity());
    if (SUCCEEDED(hr)) hr = CoCreateFreeThreadedMarshaler(this->identity(), marshaler_.put());
    return hr;
  }

  STDMETHODIMP GetCount(LONG* count) override { return main_.GetCount(count); }
  STDMETHODIMP GetName(LONG index, BSTR* name) override { return main_.GetName(index, name); }
  STDMETHODIMP GetFileCategory(LONG index, BSTR* category, BSTR* configuration_path) override {
    return main_.GetFileCategory(index, category, configuration_path);
  }
  STDMETHODIMP GetKey(LONG index, BSTR* key) override { return main_.GetKey(index, key); }
  STDMETHODIMP GetImage(LONG index, IUnknown** image) override { return main_.GetImage(index, image); }
  STDMETHODIMP GetPriority(LONG index, LONG* priority) override { return main_.GetPriority(index, priority); }
  STDMETHODIMP GetActivityPane(LONG index, BSTR* pane) override { return main_.GetActivityPane(index, pane); }
  STDMETHODIMP GetIsActivityPaneStack(LONG index, VARIANT_BOOL* stack) override {
    return main_.GetIsActivityPaneStack(index, stack);
  }
  STDMETHODIMP HasNoSubManager(LONG index, VARIANT_BOOL* none) override { return main_.HasNoSubManager(index, none); }
  STDMETHODIMP GetSubManager(LONG index, IUnknown** sub_manager) override {
    return main_.GetSubManager(index, sub_manager);
  }
  STDMETHODIMP CreateComponent(LONG index, IUnknown** component) override {
    return main_.CreateComponent(index, component);
  }
  STDMETHODIMP CreateComponentByKey(BSTR key, IUnknown** component) override {
    return main_.CreateComponentByKey(key, component);
  }
  STDMETHODIMP GetUnknown(IUnknown** self) override {
    if (!self) return E_POINTER;
    IUnknown* me = this->identity();
    me->AddRef();
    *self = me;
    return S_OK;
  }
  STDMETHODIMP GetToolbar(LONG index, BSTR* toolbar) override { return main_.GetToolbar(index, toolbar); }
  STDMETHODIMP GetCategory(LONG index, BSTR* category) override { return main_.GetCategory(index, category); }
  STDMETHODIMP GetServer(LONG index, BSTR* server) override { return main_.GetServer(index, server); }
  STDMETHODIMP GetComponentOptions(LONG index, BSTR* options) override {
    return main_.GetComponentOptions(index, options);
  }
  STDMETHODIMP GetGlyph(LONG index, LONG* number, BSTR* entry) override { return main_.GetGlyph(index, number, entry); }
  STDMETHODIMP GetType(LONG index, BSTR* type) override { return main_.GetType(index, type); }
  STDMETHODIMP GetToolTip(LONG index, BSTR* tooltip) override { return main_.GetToolTip(index, tooltip); }
  STDMETHODIMP GetURL(LONG index, BSTR* url) override { return main_.GetURL(index, url); }

  STDMETHODIMP Shutdown() override {
    main_.ReleaseHostObjects();
    source_.ReleaseHostObjects();
    return S_OK;
  }

  // Command dispatch comes next; until then no command is taken.
  STDMETHODIMP ExecCommand(BSTR, VARIANT, VARIANT, VARIANT, LONG* handled) override {
    if (handled) *handled = 0;
    return S_FALSE;
  }
  STDMETHODIMP UpdateCommand(BSTR, VARIANT, LONG* state) override {
    if (state) *state = 0;
    return S_FALSE;
  }

 protected:
  ServiceManager(std::u16string main_suffix, std::u16string source_suffix)
      : main_(std::move(main_suffix)), source_(std::move(source_suffix)) {}

  HRESULT QueryInterfaceExtra(REFIID iid, void** ppv) override {
    if (marshaler_ && IsEqualGUID(iid, IID_IMarshal)) return marshaler_->QueryInterface(iid, ppv);
    return platform::DispatchObject<Derived, platform::Chain<ISubManager, IDispatch>, IShutdownSink,
                                    ICommandTarget>::QueryInterfaceExtra(iid, ppv);
  }

  CatalogueBase main_;
  CatalogueBase source_;
  platform::ComPtr<IUnknown> marshaler_;
};

class STGShareManager final : public ServiceManager<STGShareManager> {
 public:
  STGShareManager() : ServiceManager(u"\\TSGShare", u"\\TSGShareSource") {}

  // Also makes sure the e-mail components have a "CmpntDir" working folder in their settings.
  STDMETHODIMP GetFileCategory(LONG index, BSTR* category, BSTR* configuration_path) override;
};

class STGSaveManager final : public ServiceManager<STGSaveManager> {
 public:
  STGSaveManager() : ServiceManager(u"\\TSGSave", u"\\TSGSaveSource") {}
};

}  // namespace zozed
