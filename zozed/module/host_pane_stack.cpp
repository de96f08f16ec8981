#include "zozed/module/host_pane_stack.h"

#include "host/item_tray.h"
#include "platform/objbase.h"
#include "platform/oleauto.h"
#include "platform/support/dispatch_driver.h"

namespace zozed {

using platform::ComPtr;
using platform::Variant;

HostPaneStack HostPaneStack::open() {
  ComPtr<IActivityHost> host;
  platform::check<IActivityHost>(
      CoCreateInstance(host::CLSID_ActivityHost, nullptr, CLSCTX_ALL, IID_IActivityHost, host.put_void()));
  ComPtr<IDispatch> area;
  platform::check<IActivityHost>(host->GetActivityArea(area.put()));
  const Variant stack = platform::get_property(area.get(), host::kActivityAreaPaneStack);
  auto dispatch = stack.as_dispatch();
  if (!dispatch || !*dispatch) throw platform::ComError(E_NOINTERFACE, IID_IDispatch);
  return HostPaneStack(std::move(host), std::move(area), std::move(*dispatch));
}

void HostPaneStack::set_toolbar(std::u16string_view toolbar) {
  const Variant text(toolbar);
  (void)platform::invoke_method(stack_.get(), host::kPaneStackSetToolbar, {text.get()});
}

void HostPaneStack::show_pane(std::u16string_view clsid, std::u16string_view title) {
  const Variant pane(clsid);
  const Variant caption(title);
  (void)platform::invoke_method(stack_.get(), host::kPaneStackShowPane, {pane.get(), caption.get()});
}

namespace {

ComPtr<IActivityComponent> component_of(IUnknown* object) {
  ComPtr<IActivityComponent> pane;
  if (object) (void)object->QueryInterface(IID_IActivityComponent, pane.put_void());
  return pane;
}

}  // namespace

ComPtr<IActivityComponent> HostPaneStack::current_pane() {
  const Variant shown = platform::get_property(stack_.get(), host::kPaneStackCurrentPane);
  if (auto dispatch = shown.as_dispatch(); dispatch && *dispatch) return component_of(dispatch->get());
  if (auto unknown = shown.as_unknown(); unknown && *unknown) return component_of(unknown->get());
  return {};
}

std::vector<ComPtr<IActivityComponent>> HostPaneStack::panes() {
  const Variant list = platform::get_property(stack_.get(), host::kPaneStackPanes);
  std::vector<ComPtr<IActivityComponent>> found;
  const auto array = list.as_array();
  if (!array || !*array || SafeArrayGetDim(*array) != 1) return found;
  VARTYPE element = VT_EMPTY;
  platform::check<IDispatch>(SafeArrayGetVartype(*array, &element));
  LONG lower = 0;
  LONG upper = -1;
  platform::check<IDispatch>(SafeArrayGetLBound(*array, 1, &lower));
  platform::check<IDispatch>(SafeArrayGetUBound(*array, 1, &upper));
  for (LONG i = lower; i <= upper; ++i) {
    ComPtr<IUnknown> object;
    if (element == VT_DISPATCH || element == VT_UNKNOWN) {
      // Both element types hold an interface pointer that the copy out adds a reference to.
      platform::check<IDispatch>(SafeArrayGetElement(*array, &i, object.put_void()));
    } else if (element == VT_VARIANT) {
      Variant entry;
      platform::check<IDispatch>(SafeArrayGetElement(*array, &i, entry.put()));
      if (auto dispatch = entry.as_dispatch(); dispatch && *dispatch) object = ComPtr<IUnknown>::borrow(dispatch->get());
      else if (auto unknown = entry.as_unknown(); unknown && *unknown) object = std::move(*unknown);
    } else {
      throw platform::ComError(DISP_E_TYPEMISMATCH, IID_IDispatch);
    }
    if (auto pane = component_of(object.get())) found.push_back(std::move(pane));
  }
  return found;
}

void HostPaneStack::back() { (void)platform::invoke_method(stack_.get(), host::kPaneStackBack); }

void HostPaneStack::end() {
  const Variant leave(true);
  (void)platform::invoke_method(stack_.get(), host::kPaneStackEnd, {leave.get()});
}

void HostPaneStack::return_to_caller() {
  (void)platform::invoke_method(stack_.get(), host::kPaneStackReturnToCaller);
}

ComPtr<ICommandTarget> HostPaneStack::command_target() {
  ComPtr<ICommandTarget> target;
  platform::check<IActivityHost>(host_->GetCommandTarget(target.put()));
  if (!target) throw platform::ComError(E_NOINTERFACE, IID_ICommandTarget);
  return target;
}

ComPtr<IDispatch> HostPaneStack::item_tray() {
  const Variant tray = platform::get_property(area_.get(), host::kActivityAreaItemTray);
  auto dispatch = tray.as_dispatch();
  if (!dispatch || !*dispatch) throw platform::ComError(E_NOINTERFACE, IID_IDispatch);
  return std::move(*dispatch);
}

LONG HostPaneStack::host_handle() {
  LONG handle = 0;
  platform::check<IActivityHost>(host_->GetHostHandle(&handle));
  return handle;
}

void HostPaneStack::report_progress(LONG percent) {
  platform::put_property(area_.get(), host::kActivityAreaProgress, *Variant(percent).get());
}

LONG send_pane_message(IActivityComponent* pane, std::u16string_view id, const VARIANT& first, const VARIANT& second,
                       LONG flags) {
  platform::Bstr message(id);
  LONG handled = 0;
  platform::check<IActivityComponent>(pane->ReceiveMessage(message.get(), first, second, flags, &handled));
  return handled;
}

}  // namespace zozed
