// The activity host and its activity area, through which components reach the suite's one
// pane stack and the host's command target.
#include <array>
#include <cstdint>

#include "host/activity_host.h"
#include "host/item_tray.h"
#include "platform/support/dispatch_object.h"
#include "suite/host/suite_objects.h"

namespace suite {
namespace {

using platform::DispatchCall;
using platform::DispatchMember;

class ActivityArea final : public platform::DispatchObject<ActivityArea, IDispatch> {
 public:
  explicit ActivityArea(std::shared_ptr<SuiteState> state) : state_(std::move(state)) {}

  static std::span<const DispatchMember<ActivityArea>> dispatch_members() {
    static constexpr std::array<DispatchMember<ActivityArea>, 3> kMembers{{
        {host::kActivityAreaPaneStack, u"PaneStack", DISPATCH_PROPERTYGET, &ActivityArea::pane_stack},
        {host::kActivityAreaItemTray, u"ItemTray", DISPATCH_PROPERTYGET, &ActivityArea::item_tray},
        {host::kActivityAreaProgress, u"Progress", DISPATCH_PROPERTYPUT, &ActivityArea::progress},
    }};
    return kMembers;
  }

 private:
  HRESULT pane_stack(const DispatchCall& call) {
    if (!state_->pane_stack) return E_UNEXPECTED;  // the suite has stopped
    call.set_result(state_->pane_stack.get());
    return S_OK;
  }

  HRESULT item_tray(const DispatchCall& call) {
    if (!state_->item_tray) return E_UNEXPECTED;  // the suite has stopped
    call.set_result(state_->item_tray.get());
    return S_OK;
  }

  HRESULT progress(const DispatchCall& call) {
    VARIANT percent;
    VariantInit(&percent);
    if (FAILED(VariantChangeType(&percent, &call.put_value(), 0, VT_I4))) return DISP_E_TYPEMISMATCH;
    if (percent.lVal < 0 || percent.lVal > 100) return E_INVALIDARG;
    state_->progress.push_back(percent.lVal);
    if (state_->settings.progress) state_->settings.progress(percent.lVal);
    return S_OK;
  }

  std::shared_ptr<SuiteState> state_;
};

class ActivityHost final : public platform::DispatchObject<ActivityHost, platform::Chain<IActivityHost, IDispatch>> {
 public:
  explicit ActivityHost(std::shared_ptr<SuiteState> state) : state_(std::move(state)) {}

  STDMETHODIMP GetActivityArea(IDispatch** area) override {
    if (!area) return E_POINTER;
    *area = nullptr;
    return create_activity_area(state_, IID_IDispatch, reinterpret_cast<void**>(area));
  }

  STDMETHODIMP GetCommandTarget(ICommandTarget** target) override {
    if (!target) return E_POINTER;
    *target = nullptr;
    if (!state_->command_target) return E_UNEXPECTED;
    return state_->command_target.CopyTo(target);
  }

  STDMETHODIMP GetHostHandle(LONG* handle) override {
    if (!handle) return E_POINTER;
    *handle = static_cast<LONG>(reinterpret_cast<std::uintptr_t>(state_->panel));
    return S_OK;
  }

  static std::span<const DispatchMember<ActivityHost>> dispatch_members() {
    static constexpr std::array<DispatchMember<ActivityHost>, 1> kMembers{{
        {1, u"ActivityArea", DISPATCH_PROPERTYGET, &ActivityHost::activity_area},
    }};
    return kMembers;
  }

 private:
  HRESULT activity_area(const DispatchCall& call) {
    platform::ComPtr<IDispatch> area;
    const HRESULT hr = GetActivityArea(area.put());
    if (SUCCEEDED(hr)) call.set_result(area.get());
    return hr;
  }

  std::shared_ptr<SuiteState> state_;
};

}  // namespace

HRESULT create_activity_area(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<ActivityArea>(riid, ppv, state);
}

HRESULT create_activity_host(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<ActivityHost>(riid, ppv, state);
}

}  // namespace suite
