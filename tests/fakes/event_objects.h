// An event source with two connection points and a recording dispatch sink, for tests and
// benchmarks of connection points.
#pragma once

#include <functional>
#include <vector>

#include "platform/support/connection_point.h"

namespace fakes {

inline constexpr IID kEvents = platform::make_guid("{6A0F5A10-00E0-4C1B-9E00-5D8E2C0000E0}");
inline constexpr IID kOtherEvents = platform::make_guid("{6A0F5A10-00E1-4C1B-9E00-5D8E2C0000E1}");

class EventSource final : public platform::ComObject<EventSource, IConnectionPointContainer> {
 public:
  EventSource() : points_(this, {kEvents, kOtherEvents}) {}
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override { return points_.EnumConnectionPoints(out); }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    return points_.FindConnectionPoint(iid, out);
  }
  platform::ConnectionPoint& events() { return *points_.find(kEvents); }

 private:
  platform::ConnectionPoints points_;
};

// Answers kEvents as IDispatch and records every Invoke; `on_event` acts from inside the call.
class RecordingSink final : public platform::ComObject<RecordingSink, IDispatch> {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    if (!recording) return answer;
    calls.push_back(id);
    for (UINT i = 0; i < params->cArgs; ++i) args.push_back(params->rgvarg[i].lVal);
    if (on_event) on_event();
    return answer;
  }
  std::vector<DISPID> calls;
  std::vector<LONG> args;
  std::function<void()> on_event;
  HRESULT answer = S_OK;
  bool recording = true;  // off: only answer, as a benchmark wants

 protected:
  HRESULT QueryInterfaceExtra(REFIID iid, void** ppv) override {
    if (!IsEqualGUID(iid, kEvents)) return E_NOINTERFACE;
    AddRef();
    *ppv = static_cast<IDispatch*>(this);
    return S_OK;
  }
};

}  // namespace fakes
