#include "zozed/toolkit/control_event_sink.h"

#include "host/item_tray.h"
#include "platform/oleauto.h"
#include "platform/support/com_error.h"
#include "zozed/toolkit/ax_host_window.h"

namespace zozed::toolkit {

HRESULT ControlEventSink::connect(IUnknown* control) {
  if (!control) return E_POINTER;
  platform::ComPtr<IConnectionPointContainer> container;
  HRESULT hr = control->QueryInterface(container.put());
  if (FAILED(hr)) return hr;
  platform::ComPtr<IConnectionPoint> point;
  // Skinned controls fire one event interface, the item tray its own.
  const IID* events = &host::DIID_SkinControlEvents;
  hr = container->FindConnectionPoint(*events, point.put());
  if (FAILED(hr)) {
    events = &host::DIID_ItemTrayEvents;
    hr = container->FindConnectionPoint(*events, point.put());
  }
  if (FAILED(hr)) return hr;
  events_ = events;
  DWORD cookie = 0;
  hr = point->Advise(static_cast<IDispatch*>(this), &cookie);
  if (FAILED(hr)) return hr;
  point_ = std::move(point);
  cookie_ = cookie;
  return S_OK;
}

void ControlEventSink::disconnect() noexcept {
  handler_ = nullptr;
  if (auto point = std::move(point_)) point->Unadvise(cookie_);
  cookie_ = 0;
}

STDMETHODIMP ControlEventSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP ControlEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  return DISP_E_BADINDEX;
}

STDMETHODIMP ControlEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return DISP_E_UNKNOWNNAME; }

STDMETHODIMP ControlEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                        UINT*) {
  if (result) VariantInit(result);
  if (!handler_) return S_OK;
  static const DISPPARAMS kNone{};
  // The window may end from the handler: keep ourselves and the handler alive through the call.
  const auto self = platform::ComPtr<ControlEventSink>::borrow(this);
  const Handler handler = handler_;
  return platform::com_boundary([&] {
    handler(control_id_, id, params ? *params : kNone);
    return S_OK;
  });
}

HRESULT ControlEventSink::QueryInterfaceExtra(REFIID iid, void** ppv) {
  if (!IsEqualGUID(iid, *events_)) return E_NOINTERFACE;
  AddRef();
  *ppv = static_cast<IDispatch*>(this);
  return S_OK;
}

bool ControlEventLinks::link(int id, HWND control_window) {
  for (const auto& sink : sinks_)
    if (sink->control_id() == id) return true;
  const auto control = ax_window_control(control_window);
  if (!control) return false;
  platform::ComPtr<ControlEventSink> sink;
  if (FAILED(platform::make_com(sink, handler_, id)) || FAILED(sink->connect(control.get()))) return false;
  sinks_.push_back(std::move(sink));
  return true;
}

void ControlEventLinks::link_children(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    (void)link(GetDlgCtrlID(child), child);
}

void ControlEventLinks::unlink_all() noexcept {
  auto sinks = std::move(sinks_);
  sinks_.clear();
  for (auto& sink : sinks) sink->disconnect();
}

}  // namespace zozed::toolkit
