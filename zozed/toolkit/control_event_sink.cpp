#include "zozed/toolkit/control_event_sink.h"

#include "platform/oleauto.h"
#include "platform/support/com_error.h"

namespace zozed::toolkit {

HRESULT ControlEventSink::connect(IUnknown* control) {
  if (!control) return E_POINTER;
  platform::ComPtr<IConnectionPointContainer> container;
  HRESULT hr = control->QueryInterface(container.put());
  if (FAILED(hr)) return hr;
  platform::ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(host::DIID_SkinControlEvents, point.put());
  if (FAILED(hr)) return hr;
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
  if (!IsEqualGUID(iid, host::DIID_SkinControlEvents)) return E_NOINTERFACE;
  AddRef();
  *ppv = static_cast<IDispatch*>(this);
  return S_OK;
}

}  // namespace zozed::toolkit
