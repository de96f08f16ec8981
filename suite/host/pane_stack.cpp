// The pane stack of the activity area: shows panes by CLSID string in the side panel, answers
// the current pane (through a stand-in that records the pane messages it is sent), and records
// every call with its arguments and result.
#include <array>

#include "host/activity_host.h"
#include "platform/objbase.h"
#include "platform/support/dispatch_object.h"
#include "platform/support/safe_array.h"
#include "platform/support/variant.h"
#include "suite/host/side_panel.h"
#include "suite/host/suite_objects.h"
#include "suite/host/variant_text.h"

namespace suite {
namespace {

using platform::ComPtr;
using platform::DispatchCall;
using platform::DispatchMember;

class PaneStack final : public platform::DispatchObject<PaneStack, IDispatch> {
 public:
  explicit PaneStack(std::shared_ptr<SuiteState> state) : state_(std::move(state)) {}

  static std::span<const DispatchMember<PaneStack>> dispatch_members() {
    static constexpr std::array<DispatchMember<PaneStack>, 7> kMembers{{
        {host::kPaneStackCurrentPane, u"CurrentPane", DISPATCH_PROPERTYGET, &PaneStack::current_pane},
        {host::kPaneStackSetToolbar, u"Toolbar", DISPATCH_METHOD | DISPATCH_PROPERTYPUT, &PaneStack::set_toolbar},
        {host::kPaneStackShowPane, u"ShowPane", DISPATCH_METHOD, &PaneStack::show_pane},
        {host::kPaneStackBack, u"Back", DISPATCH_METHOD, &PaneStack::back},
        {host::kPaneStackEnd, u"End", DISPATCH_METHOD, &PaneStack::end},
        {host::kPaneStackReturnToCaller, u"ReturnToCaller", DISPATCH_METHOD, &PaneStack::return_to_caller},
        {host::kPaneStackPanes, u"Panes", DISPATCH_PROPERTYGET, &PaneStack::pane_list},
    }};
    return kMembers;
  }

 private:
  // Records the call before running it (a pane created by it may call the stack again).
  template <class Body>
  HRESULT recorded(const DispatchCall& call, DISPID id, std::u16string_view name, Body&& body) {
    PaneStackOperation op{id, std::u16string(name), {}, S_OK};
    const bool put = (call.flags() & DISPATCH_PROPERTYPUT) != 0;
    if (put) {
      op.arguments.push_back(describe_variant(call.put_value()));
    } else {
      for (UINT i = 0; i < call.count(); ++i) op.arguments.push_back(describe_variant(call.raw(i)));
    }
    state_->pane_operations.push_back(std::move(op));
    const std::size_t at = state_->pane_operations.size() - 1;
    const HRESULT hr = platform::com_boundary(std::forward<Body>(body));
    state_->pane_operations[at].result = hr;
    return hr;
  }

  // What the host hands out for a shown pane: the recording proxy of a pane that takes pane
  // messages, else the pane's own dispatch interface (null for a pane without one).
  HRESULT pane_object(const ShownPane& pane, ComPtr<IDispatch>& out) {
    ComPtr<IActivityComponent> component;
    if (SUCCEEDED(pane.object->QueryInterface(IID_IActivityComponent, component.put_void())))
      return create_pane_proxy(state_, component.get(), pane.clsid, out.put());
    (void)pane.object->QueryInterface(IID_IDispatch, out.put_void());
    return S_OK;
  }

  HRESULT current_pane(const DispatchCall& call) {
    return recorded(call, host::kPaneStackCurrentPane, u"CurrentPane", [&]() -> HRESULT {
      if (state_->panes.empty()) return S_OK;  // VT_EMPTY: no pane shown
      const auto& pane = state_->panes.back();
      ComPtr<IDispatch> dispatch;
      const HRESULT hr = pane_object(pane, dispatch);
      if (FAILED(hr)) return hr;
      if (dispatch)
        call.set_result(dispatch.get());
      else
        call.set_result(pane.object.get());
      return S_OK;
    });
  }

  HRESULT pane_list(const DispatchCall& call) {
    return recorded(call, host::kPaneStackPanes, u"Panes", [&]() -> HRESULT {
      auto list = platform::SafeArray::create_vector(VT_DISPATCH, 0, static_cast<ULONG>(state_->panes.size()));
      if (!list) return E_OUTOFMEMORY;
      for (std::size_t i = 0; i < state_->panes.size(); ++i) {
        ComPtr<IDispatch> dispatch;
        HRESULT hr = pane_object(state_->panes[i], dispatch);
        if (SUCCEEDED(hr)) hr = list.put_element(static_cast<LONG>(i), dispatch.get());
        if (FAILED(hr)) return hr;
      }
      call.set_result(platform::Variant(std::move(list)));
      return S_OK;
    });
  }

  HRESULT set_toolbar(const DispatchCall& call) {
    return recorded(call, host::kPaneStackSetToolbar, u"SetToolbar", [&]() -> HRESULT {
      if (call.flags() & DISPATCH_PROPERTYPUT) {
        platform::Variant text;
        HRESULT hr = VariantChangeType(text.put(), &call.put_value(), 0, VT_BSTR);
        if (FAILED(hr)) return hr;
        state_->toolbar = std::u16string(text.as_bstr().value_or(u""));
      } else {
        state_->toolbar = call.has(0) ? call.get_string(0) : std::u16string();
      }
      return S_OK;
    });
  }

  HRESULT show_pane(const DispatchCall& call) {
    return recorded(call, host::kPaneStackShowPane, u"ShowPane", [&]() -> HRESULT {
      const std::u16string text = call.get_string(0);
      CLSID clsid{};
      HRESULT hr = CLSIDFromString(text.c_str(), &clsid);
      if (FAILED(hr)) return hr;
      ComPtr<IUnknown> pane;
      hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, pane.put_void());
      if (FAILED(hr)) return hr;
      ShownPane shown;
      shown.object = std::move(pane);
      shown.clsid = text;
      shown.title = call.has(1) ? call.get_string(1) : std::u16string();
      state_->panes.push_back(std::move(shown));
      show_in_panel(*state_, state_->panes.back());
      return S_OK;
    });
  }

  HRESULT back(const DispatchCall& call) {
    return recorded(call, host::kPaneStackBack, u"Back", [&]() -> HRESULT {
      if (state_->panes.empty()) return S_FALSE;
      ShownPane left = std::move(state_->panes.back());
      state_->panes.pop_back();
      remove_from_panel(left);
      if (!state_->panes.empty()) reveal_in_panel(*state_, state_->panes.back());
      return S_OK;
    });
  }

  HRESULT end(const DispatchCall& call) {
    return recorded(call, host::kPaneStackEnd, u"End", [&]() -> HRESULT {
      if (!call.get_bool(0)) return S_FALSE;
      leave_task();
      return S_OK;
    });
  }

  HRESULT return_to_caller(const DispatchCall& call) {
    return recorded(call, host::kPaneStackReturnToCaller, u"ReturnToCaller", [&]() -> HRESULT {
      leave_task();
      return S_OK;
    });
  }

  // Panes are let go of outside the list: a pane's destructor may call the stack.
  void leave_task() {
    auto panes = std::move(state_->panes);
    state_->panes.clear();
    state_->toolbar.clear();
    for (auto& pane : panes) remove_from_panel(pane);
    close_panel(*state_);
  }

  std::shared_ptr<SuiteState> state_;
};

}  // namespace

HRESULT create_pane_stack(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<PaneStack>(riid, ppv, state);
}

}  // namespace suite
