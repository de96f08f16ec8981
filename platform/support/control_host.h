// HostedControl: the container side of one ActiveX control. Creates the control by CLSID or
// ProgID, activates it in place inside a parent window at a rectangle, moves, shows and hides
// it, connects event sinks to its connection points, and takes it down again.
#pragma once

#include <string_view>
#include <vector>

#include "platform/ocidl.h"
#include "platform/oleidl.h"
#include "platform/support/com_ptr.h"

namespace platform {

class ControlSite;

class HostedControl {
 public:
  HostedControl() noexcept;
  HostedControl(const HostedControl&) = delete;
  HostedControl& operator=(const HostedControl&) = delete;
  HostedControl(HostedControl&& other) noexcept;
  HostedControl& operator=(HostedControl&& other) noexcept;
  ~HostedControl();

  // `name`: a braced CLSID string or a ProgID. Creates the control and activates it in place in
  // `parent` at `rect` (the parent's client coordinates). Untouched on failure.
  [[nodiscard]] HRESULT create(std::u16string_view name, HWND parent, const RECT& rect);
  [[nodiscard]] HRESULT create(REFCLSID clsid, HWND parent, const RECT& rect);
  // Activates a control object the caller already has.
  [[nodiscard]] HRESULT attach(IUnknown* control, HWND parent, const RECT& rect);

  // Untouched on failure.
  [[nodiscard]] HRESULT move(const RECT& rect);
  [[nodiscard]] HRESULT show(bool visible);
  // Disconnects the sinks, deactivates and closes the control and lets go of it.
  void destroy() noexcept;

  explicit operator bool() const noexcept { return static_cast<bool>(control_); }
  IUnknown* unknown() const noexcept { return control_.get(); }
  // The control's own window (null when it has none).
  HWND window() const noexcept;
  HWND parent() const noexcept { return parent_; }
  const RECT& rect() const noexcept { return rect_; }

  // Connects `sink` to the control's connection point for `events`; kept until destroy().
  [[nodiscard]] HRESULT advise(REFIID events, IUnknown* sink, DWORD* cookie = nullptr);
  [[nodiscard]] HRESULT unadvise(REFIID events, DWORD cookie);

 private:
  struct Connection {
    IID events;
    ComPtr<IConnectionPoint> point;
    DWORD cookie;
  };

  ComPtr<IUnknown> control_;
  ComPtr<IOleObject> object_;
  ComPtr<ControlSite> site_;
  std::vector<Connection> connections_;
  HWND parent_ = nullptr;
  RECT rect_{};
};

// Resolves a braced CLSID string or a ProgID to the class it names.
[[nodiscard]] HRESULT control_class_of(std::u16string_view name, CLSID& clsid);

}  // namespace platform
