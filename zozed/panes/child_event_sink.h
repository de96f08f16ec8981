// The pane's connection to one skinned child control: answers the control's event interface
// and hands each event to the pane with the child's control id.
#pragma once

#include "host/skinned_controls.h"
#include "platform/ocidl.h"
#include "platform/support/com_object.h"

namespace zozed {

class PaneWindow;

class ChildEventSink final : public platform::ComObject<ChildEventSink, IDispatch> {
 public:
  ChildEventSink(PaneWindow* pane, int control_id) : pane_(pane), control_id_(control_id) {}

  // Connects to `control`'s skinned-control events; untouched on failure.
  [[nodiscard]] HRESULT connect(IUnknown* control);
  // Disconnects and stops delivering (the pane is going).
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
  PaneWindow* pane_;
  int control_id_;
  platform::ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

}  // namespace zozed
