// The connection of a window (a pane, an XML-described dialog) to one of its skinned child
// controls: answers the control's event interface and hands each event on with the control's id.
#pragma once

#include <functional>
#include <vector>

#include "host/skinned_controls.h"
#include "platform/ocidl.h"
#include "platform/support/com_object.h"
#include "platform/winuser.h"

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
  const IID* events_ = &host::DIID_SkinControlEvents;
};

// The event connections of one window's skinned children, all handed to one handler.
class ControlEventLinks {
 public:
  explicit ControlEventLinks(ControlEventSink::Handler handler) : handler_(std::move(handler)) {}
  ~ControlEventLinks() { unlink_all(); }
  ControlEventLinks(const ControlEventLinks&) = delete;
  ControlEventLinks& operator=(const ControlEventLinks&) = delete;

  // Connects to the control that child window `control_window` hosts, as control `id`, unless
  // that id is linked already. False when there is no control or it fires no skinned events.
  bool link(int id, HWND control_window);
  // Links every control-hosting child of `parent` by its control id.
  void link_children(HWND parent);
  // Disconnects all; no event reaches the handler afterwards.
  void unlink_all() noexcept;

 private:
  ControlEventSink::Handler handler_;
  std::vector<platform::ComPtr<ControlEventSink>> sinks_;
};

}  // namespace zozed::toolkit
