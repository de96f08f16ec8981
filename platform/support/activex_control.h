// ActiveXControl: the base of an ActiveX control that a container places in one of its
// windows. The control creates its window inside the container's window on in-place
// activation, follows SetObjectRects, shows, hides and destroys it, draws itself when the
// container asks, and fires its events through its connection points.
//
//   class Button final : public ActiveXControl<Button, Chain<IButton, IDispatch>> {
//     HWND CreateControlWindow(HWND parent, const RECT& pos) override;   // the window, or null
//   };
//
// A window procedure that reaches the control calls window_destroyed() on WM_NCDESTROY; the
// window still alive when the last reference goes is destroyed before the object is.
#pragma once

#include <initializer_list>
#include <span>
#include <vector>

#include "platform/ocidl.h"
#include "platform/oleidl.h"
#include "platform/support/connection_point.h"
#include "platform/support/dispatch_object.h"

namespace platform {

template <class Derived, class... Items>
class ActiveXControl : public DispatchObject<Derived, Items..., IOleObject, Chain<IOleInPlaceObject, IOleWindow>,
                                             IViewObject, IOleControl, IConnectionPointContainer> {
  using Base = DispatchObject<Derived, Items..., IOleObject, Chain<IOleInPlaceObject, IOleWindow>, IViewObject,
                              IOleControl, IConnectionPointContainer>;

 public:
  STDMETHODIMP_(ULONG) Release() override {
    if (this->ref_count() == 1 && hwnd_) {
      // The window's last messages may still reach the object.
      this->AddRef();
      destroy_control_window();
      Base::Release();
    }
    return Base::Release();
  }

  // ---- IOleObject ----
  STDMETHODIMP SetClientSite(IOleClientSite* site) override {
    client_site_ = ComPtr<IOleClientSite>::borrow(site);
    return S_OK;
  }
  STDMETHODIMP GetClientSite(IOleClientSite** site) override {
    if (!site) return E_POINTER;
    return client_site_.CopyTo(site);
  }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD) override { return InPlaceDeactivate(); }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (!moniker) return E_POINTER;
    *moniker = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject** data) override {
    if (!data) return E_POINTER;
    *data = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* active_site, LONG, HWND parent, LPCRECT pos) override {
    return com_boundary([&]() -> HRESULT {
      switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_UIACTIVATE:
        case OLEIVERB_INPLACEACTIVATE: {
          const HRESULT hr = in_place_activate(active_site, parent, pos);
          if (FAILED(hr)) return hr;
          ShowWindow(hwnd_, SW_SHOW);
          return S_OK;
        }
        case OLEIVERB_HIDE:
          if (!hwnd_) return OLE_E_NOT_INPLACEACTIVE;
          ShowWindow(hwnd_, SW_HIDE);
          return S_OK;
        case OLEIVERB_DISCARDUNDOSTATE:
          return S_OK;
        case OLEIVERB_OPEN:
          return E_NOTIMPL;
        default:
          return OLEOBJ_S_INVALIDVERB;
      }
    });
  }
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override {
    if (!verbs) return E_POINTER;
    *verbs = nullptr;
    return OLEOBJ_E_NOVERBS;
  }
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* clsid) override {
    if (!clsid) return E_POINTER;
    *clsid = GUID{};
    return E_NOTIMPL;
  }
  STDMETHODIMP GetUserType(DWORD, LPOLESTR* type) override {
    if (!type) return E_POINTER;
    *type = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    extent_ = *size;
    return S_OK;
  }
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
  }
  STDMETHODIMP Advise(IAdviseSink*, DWORD* connection) override {
    if (!connection) return E_POINTER;
    *connection = 0;
    return OLE_E_ADVISENOTSUPPORTED;
  }
  STDMETHODIMP Unadvise(DWORD) override { return OLE_E_NOCONNECTION; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override {
    if (!advise) return E_POINTER;
    *advise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
  }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
    if (!status) return E_POINTER;
    *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
    return S_OK;
  }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // ---- IOleWindow, IOleInPlaceObject ----
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = hwnd_;
    return hwnd_ ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override {
    if (!hwnd_) return S_OK;
    destroy_control_window();
    if (auto site = std::move(in_place_site_)) site->OnInPlaceDeactivate();
    return S_OK;
  }
  STDMETHODIMP UIDeactivate() override { return S_OK; }
  STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT) override {
    if (!pos) return E_POINTER;
    position_ = *pos;
    if (hwnd_)
      SetWindowPos(hwnd_, nullptr, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return S_OK;
  }
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

  // ---- IViewObject ----
  STDMETHODIMP Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                    PFN_DRAW_CONTINUE, ULONG_PTR) override {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc) return E_INVALIDARG;
    const RECT area = bounds ? RECT{bounds->left, bounds->top, bounds->right, bounds->bottom} : position_;
    return com_boundary([&] { return OnDraw(dc, area); });
  }
  STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) override {
    if (!colors) return E_POINTER;
    *colors = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD* freeze) override {
    if (!freeze) return E_POINTER;
    *freeze = 0;
    return E_NOTIMPL;
  }
  STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP SetAdvise(DWORD, DWORD, IAdviseSink*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP GetAdvise(DWORD*, DWORD*, IAdviseSink** sink) override {
    if (sink) *sink = nullptr;
    return E_NOTIMPL;
  }

  // ---- IOleControl ----
  STDMETHODIMP GetControlInfo(CONTROLINFO*) override { return E_NOTIMPL; }
  STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
  STDMETHODIMP FreezeEvents(BOOL freeze) override {
    if (freeze)
      ++frozen_;
    else if (frozen_ > 0)
      --frozen_;
    return S_OK;
  }

  // ---- IConnectionPointContainer ----
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override {
    return points_.EnumConnectionPoints(points);
  }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    return points_.FindConnectionPoint(iid, point);
  }

  HWND control_window() const noexcept { return hwnd_; }
  const RECT& position() const noexcept { return position_; }
  bool events_frozen() const noexcept { return frozen_ > 0; }

 protected:
  // `event_iids`: the outgoing interfaces, the first being the default source of fire_event.
  explicit ActiveXControl(std::initializer_list<IID> event_iids = {})
      : points_(static_cast<IConnectionPointContainer*>(this), event_iids), events_(event_iids) {}
  ~ActiveXControl() override = default;

  // The control's window, created in `parent` at `pos`; null when it cannot be made.
  virtual HWND CreateControlWindow(HWND parent, const RECT& pos) = 0;
  // Draws the control into `dc` within `bounds`, for a container that asks instead of showing
  // the window.
  virtual HRESULT OnDraw(HDC, const RECT&) { return S_OK; }

  // For the control's window procedure, on WM_NCDESTROY.
  void window_destroyed() noexcept { hwnd_ = nullptr; }

  void destroy_control_window() noexcept {
    HWND window = std::exchange(hwnd_, nullptr);
    if (window && IsWindow(window)) DestroyWindow(window);
  }

  IOleClientSite* client_site() const noexcept { return client_site_.get(); }

  // Fires `dispid` on every sink of the default outgoing interface; S_FALSE while frozen.
  HRESULT fire_event(DISPID dispid, std::span<const VARIANT> args = {}) const {
    if (frozen_ > 0) return S_FALSE;
    if (events_.empty()) return S_FALSE;
    const ConnectionPoint* point = points_.find(events_.front());
    return point ? point->fire_dispatch(dispid, args) : S_FALSE;
  }

 private:
  HRESULT in_place_activate(IOleClientSite* active_site, HWND parent, LPCRECT pos) {
    if (hwnd_ && IsWindow(hwnd_)) return pos ? SetObjectRects(pos, pos) : S_OK;
    hwnd_ = nullptr;
    IOleClientSite* site = active_site ? active_site : client_site_.get();
    ComPtr<IOleInPlaceSite> in_place;
    if (site) (void)site->QueryInterface(in_place.put());
    RECT area = pos ? *pos : position_;
    if (in_place) {
      if (in_place->CanInPlaceActivate() != S_OK) return E_FAIL;
      if (!parent && FAILED(in_place->GetWindow(&parent))) return E_FAIL;
      if (!pos) {
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* document = nullptr;
        RECT clip{};
        OLEINPLACEFRAMEINFO info{sizeof(OLEINPLACEFRAMEINFO), FALSE, nullptr, nullptr, 0};
        const HRESULT hr = in_place->GetWindowContext(&frame, &document, &area, &clip, &info);
        if (frame) reinterpret_cast<IUnknown*>(frame)->Release();
        if (document) reinterpret_cast<IUnknown*>(document)->Release();
        if (FAILED(hr)) return hr;
      }
      in_place->OnInPlaceActivate();
    }
    if (!parent) return E_INVALIDARG;
    position_ = area;
    HWND window = CreateControlWindow(parent, area);
    if (!window) {
      if (in_place) in_place->OnInPlaceDeactivate();
      return E_FAIL;
    }
    hwnd_ = window;
    in_place_site_ = std::move(in_place);
    return S_OK;
  }

  ComPtr<IOleClientSite> client_site_;
  ComPtr<IOleInPlaceSite> in_place_site_;
  ConnectionPoints points_;
  std::vector<IID> events_;
  HWND hwnd_ = nullptr;
  RECT position_{};
  SIZEL extent_{};
  int frozen_ = 0;
};

}  // namespace platform
