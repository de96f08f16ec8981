// ServiceManager: the COM object of a service manager (Share, Save). It answers ISubManager from
// its main catalogue, keeps an internal source catalogue, lets go of host objects when the host
// shuts down, aggregates the free-threaded marshaler and runs the commands registered to it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "host/media_services.h"
#include "host/sub_manager.h"
#include "platform/combaseapi.h"
#include "platform/objidl.h"
#include "platform/support/dispatch_object.h"
#include "zozed/module/catalogue_base.h"
#include "zozed/module/last_instance.h"

namespace zozed {

// One command sent to a manager: its id and arguments, and the handled flag its handler sets.
struct CommandCall {
  std::u16string_view id;
  const VARIANT& first;
  const VARIANT& second;
  const VARIANT& third;
  LONG handled = 0;
};

template <class Derived>
struct CommandEntry {
  const char16_t* id;
  void (Derived::*run)(CommandCall& call);
};

// Derived provides:
//   static std::span<const CommandEntry<Derived>> commands();   ids in the order they are compared
//   void update_command(std::u16string_view id, const VARIANT& context, LONG& state);
//   void report_failure(HRESULT hr, const IID& iid) noexcept;     after a failing ISubManager call
template <class Derived, class... Extra>
class ServiceManager
    : public platform::DispatchObject<Derived, platform::Chain<ISubManager, IDispatch>, IShutdownSink, ICommandTarget,
                                      Extra...> {
  using Base =
      platform::DispatchObject<Derived, platform::Chain<ISubManager, IDispatch>, IShutdownSink, ICommandTarget, Extra...>;

 public:
  // Late binding serves no members: hosts call the ISubManager vtable.
  static std::span<const platform::DispatchMember<Derived>> dispatch_members() { return {}; }

  HRESULT FinalConstruct() {
    HRESULT hr = main_.load(this->identity());
    if (SUCCEEDED(hr)) hr = source_.load(this->identity());
    if (SUCCEEDED(hr)) hr = CoCreateFreeThreadedMarshaler(this->identity(), marshaler_.put());
    if (SUCCEEDED(hr)) LastInstance<Derived>::keep(this->identity());
    return hr;
  }

  STDMETHODIMP GetCount(LONG* count) override { return reported(main_.GetCount(count)); }
  STDMETHODIMP GetName(LONG index, BSTR* name) override { return reported(main_.GetName(index, name)); }
  STDMETHODIMP GetFileCategory(LONG index, BSTR* category, BSTR* configuration_path) override {
    return reported(main_.GetFileCategory(index, category, configuration_path));
  }
  STDMETHODIMP GetKey(LONG index, BSTR* key) override { return reported(main_.GetKey(index, key)); }
  STDMETHODIMP GetImage(LONG index, IUnknown** image) override { return reported(main_.GetImage(index, image)); }
  STDMETHODIMP GetPriority(LONG index, LONG* priority) override {
    return reported(main_.GetPriority(index, priority));
  }
  STDMETHODIMP GetActivityPane(LONG index, BSTR* pane) override {
    return reported(main_.GetActivityPane(index, pane));
  }
  STDMETHODIMP GetIsActivityPaneStack(LONG index, VARIANT_BOOL* stack) override {
    return reported(main_.GetIsActivityPaneStack(index, stack));
  }
  STDMETHODIMP HasNoSubManager(LONG index, VARIANT_BOOL* none) override {
    return reported(main_.HasNoSubManager(index, none));
  }
  STDMETHODIMP GetSubManager(LONG index, IUnknown** sub_manager) override {
    return reported(main_.GetSubManager(index, sub_manager));
  }
  STDMETHODIMP CreateComponent(LONG index, IUnknown** component) override {
    return reported(main_.CreateComponent(index, component));
  }
  STDMETHODIMP CreateComponentByKey(BSTR key, IUnknown** component) override {
    return reported(main_.CreateComponentByKey(key, component));
  }
  STDMETHODIMP GetUnknown(IUnknown** self) override {
    if (!self) return E_POINTER;
    IUnknown* me = this->identity();
    me->AddRef();
    *self = me;
    return S_OK;
  }
  STDMETHODIMP GetToolbar(LONG index, BSTR* toolbar) override { return reported(main_.GetToolbar(index, toolbar)); }
  STDMETHODIMP GetCategory(LONG index, BSTR* category) override {
    return reported(main_.GetCategory(index, category));
  }
  STDMETHODIMP GetServer(LONG index, BSTR* server) override { return reported(main_.GetServer(index, server)); }
  STDMETHODIMP GetComponentOptions(LONG index, BSTR* options) override {
    return reported(main_.GetComponentOptions(index, options));
  }
  STDMETHODIMP GetGlyph(LONG index, LONG* number, BSTR* entry) override {
    return reported(main_.GetGlyph(index, number, entry));
  }
  STDMETHODIMP GetType(LONG index, BSTR* type) override { return reported(main_.GetType(index, type)); }
  STDMETHODIMP GetToolTip(LONG index, BSTR* tooltip) override { return reported(main_.GetToolTip(index, tooltip)); }
  STDMETHODIMP GetURL(LONG index, BSTR* url) override { return reported(main_.GetURL(index, url)); }

  STDMETHODIMP Shutdown() override {
    main_.ReleaseHostObjects();
    source_.ReleaseHostObjects();
    return S_OK;
  }

  // Compares the id with the manager's commands in order; the first handler that takes the
  // command ends the search. A handler that fails leaves the command untaken.
  STDMETHODIMP ExecCommand(BSTR command_id, VARIANT first, VARIANT second, VARIANT third, LONG* handled) override {
    if (!handled) return E_POINTER;
    *handled = 0;
    CommandCall call{command_id ? std::u16string_view(command_id, SysStringLen(command_id)) : std::u16string_view(),
                     first, second, third};
    try {
      for (const auto& entry : Derived::commands()) {
        if (call.id != entry.id) continue;
        (static_cast<Derived*>(this)->*entry.run)(call);
        if (call.handled) {
          *handled = call.handled;
          return S_OK;
        }
      }
    } catch (...) {
      *handled = 0;
    }
    return S_FALSE;
  }

  STDMETHODIMP UpdateCommand(BSTR command_id, VARIANT context, LONG* state) override {
    if (!state) return E_POINTER;
    *state = 0;
    const std::u16string_view id =
        command_id ? std::u16string_view(command_id, SysStringLen(command_id)) : std::u16string_view();
    try {
      static_cast<Derived*>(this)->update_command(id, context, *state);
      return S_OK;
    } catch (...) {
      return S_FALSE;
    }
  }

 protected:
  ServiceManager(std::u16string main_suffix, std::u16string source_suffix)
      : main_(std::move(main_suffix)), source_(std::move(source_suffix)) {}

  HRESULT QueryInterfaceExtra(REFIID iid, void** ppv) override {
    if (marshaler_ && IsEqualGUID(iid, IID_IMarshal)) return marshaler_->QueryInterface(iid, ppv);
    return Base::QueryInterfaceExtra(iid, ppv);
  }

  HRESULT reported(HRESULT hr) noexcept {
    if (FAILED(hr)) static_cast<Derived*>(this)->report_failure(hr, IID_ISubManager);
    return hr;
  }

  CatalogueBase main_;
  CatalogueBase source_;
  platform::ComPtr<IUnknown> marshaler_;
};

class STGShareManager final : public ServiceManager<STGShareManager, ISupportErrorInfo> {
 public:
  STGShareManager() : ServiceManager(u"\\TSGShare", u"\\TSGShareSource") {}

  // Also makes sure the e-mail components have a "CmpntDir" working folder in their settings.
  STDMETHODIMP GetFileCategory(LONG index, BSTR* category, BSTR* configuration_path) override;
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

  static std::span<const CommandEntry<STGShareManager>> commands();
  void update_command(std::u16string_view id, const VARIANT& context, LONG& state);
  // Leaves an error object describing the failure for the caller.
  void report_failure(HRESULT hr, const IID& iid) noexcept;

 private:
  void share(CommandCall& call);
  void shared_host_command(CommandCall& call);
  void email_shared_items(CommandCall& call);
};

class STGSaveManager final : public ServiceManager<STGSaveManager> {
 public:
  STGSaveManager() : ServiceManager(u"\\TSGSave", u"\\TSGSaveSource") {}

  static std::span<const CommandEntry<STGSaveManager>> commands();
  // Saving keeps no command state of its own.
  void update_command(std::u16string_view, const VARIANT&, LONG&) {}
  void report_failure(HRESULT, const IID&) noexcept {}

 private:
  void save(CommandCall& call);
  void shared_host_command(CommandCall& call);
  void save_as(CommandCall& call);
};

}  // namespace zozed
