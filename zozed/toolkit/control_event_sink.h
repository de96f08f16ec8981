// The connection of a window (a pane, an XML-described dialog) to one of its skinned child
// controls: answers the control's event interface and hands each event on with the control's id.
#pragma once

#include <functional>

#include "host/skinned_controls.h"
#include "platform/ocidl.h"
#include "platform/support/com_object.h"

namespace zozed::toolkit {

class ControlEventSink final : public platform::ComObject<ControlEventSink, IDispatch> {
 public:
  using Handler = std::function<void(int control_id, DISPID event, const DISPPARAMS& params)>;

  ControlEventSink(Handler handler, int control_id) : handler_(std::move(handler)), control_id_(control_id) {}

  // Connects to `control`'s skinned-control events; untouched on failure.
  [[nodiscard]] HRESULT connect(IUnknown* control);
  // Disconnects and stops delivering (its window is going).
  void disconnect() noexcept;
  int control_id() const noexcept { return control_id_; }

  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT*) override;

 protected:
  HRESULT QueryInterfaceExtra(REFIID iid, void** ppv) override;

 private:
  Handler handler_;
  int control_id_;
  platform::ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

}  // namespace zozed::toolkit
