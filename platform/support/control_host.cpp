#include "platform/support/control_host.h"

#include <string>
#include <utility>

#include "platform/combaseapi.h"
#include "platform/support/com_object.h"

namespace platform {

// The client and in-place site the container gives its control: the parent window and the
// position it was placed at.
class ControlSite final : public ComObject<ControlSite, IOleClientSite, Chain<IOleInPlaceSite, IOleWindow>> {
 public:
  ControlSite(HWND parent, const RECT& rect) : parent_(parent), rect_(rect) {}

  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
    if (!moniker) return E_POINTER;
    *moniker = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** container) override {
    if (!container) return E_POINTER;
    *container = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = parent_;
    return parent_ ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override {
    active_ = true;
    return S_OK;
  }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !document || !pos || !clip) return E_POINTER;
    *frame = nullptr;
    *document = nullptr;
    *pos = rect_;
    *clip = rect_;
    if (info) {
      info->fMDIApp = FALSE;
      info->hwndFrame = parent_;
      info->haccel = nullptr;
      info->cAccelEntries = 0;
    }
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override {
    active_ = false;
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  // The container keeps its layout: a control asking to move is told where it is.
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  void set_rect(const RECT& rect) noexcept { rect_ = rect; }
  bool active() const noexcept { return active_; }

 private:
  HWND parent_;
  RECT rect_;
  bool active_ = false;
};

HRESULT control_class_of(std::u16string_view name, CLSID& clsid) {
  const std::u16string text(name);
  CLSID found{};
  HRESULT hr = (!text.empty() && text.front() == u'{') ? CLSIDFromString(text.c_str(), &found)
                                                         : CLSIDFromProgID(text.c_str(), &found);
  if (FAILED(hr)) return hr;
  clsid = found;
  return S_OK;
}

HostedControl::HostedControl() noexcept = default;
HostedControl::HostedControl(HostedControl&& other) noexcept
    : control_(std::move(other.control_)),
      object_(std::move(other.object_)),
      site_(std::move(other.site_)),
      connections_(std::move(other.connections_)),
      parent_(std::exchange(other.parent_, nullptr)),
      rect_(other.rect_) {}

HostedControl& HostedControl::operator=(HostedControl&& other) noexcept {
  if (this != &other) {
    destroy();
    control_ = std::move(other.control_);
    object_ = std::move(other.object_);
    site_ = std::move(other.site_);
    connections_ = std::move(other.connections_);
    parent_ = std::exchange(other.parent_, nullptr);
    rect_ = other.rect_;
  }
  return *this;
}

HostedControl::~HostedControl() { destroy(); }

HRESULT HostedControl::create(std::u16string_view name, HWND parent, const RECT& rect) {
  CLSID clsid{};
  const HRESULT hr = control_class_of(name, clsid);
  if (FAILED(hr)) return hr;
  return create(clsid, parent, rect);
}

HRESULT HostedControl::create(REFCLSID clsid, HWND parent, const RECT& rect) {
  ComPtr<IUnknown> control;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.put_void());
  if (FAILED(hr)) return hr;
  return attach(control.get(), parent, rect);
}

HRESULT HostedControl::attach(IUnknown* control, HWND parent, const RECT& rect) {
  if (!control) return E_POINTER;
  if (!parent || !IsWindow(parent)) return E_INVALIDARG;
  return com_boundary([&]() -> HRESULT {
    ComPtr<IOleObject> object;
    HRESULT hr = control->QueryInterface(object.put());
    if (FAILED(hr)) return hr;
    ComPtr<ControlSite> site;
    hr = make_com(site, parent, rect);
    if (FAILED(hr)) return hr;
    hr = object->SetClientSite(site.get());
    if (FAILED(hr)) return hr;
    hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.get(), 0, parent, &rect);
    if (FAILED(hr)) {
      object->Close(OLECLOSE_NOSAVE);
      object->SetClientSite(nullptr);
      return hr;
    }
    destroy();
    control_ = ComPtr<IUnknown>::borrow(control);
    object_ = std::move(object);
    site_ = std::move(site);
    parent_ = parent;
    rect_ = rect;
    return S_OK;
  });
}

HRESULT HostedControl::move(const RECT& rect) {
  if (!control_) return E_UNEXPECTED;
  ComPtr<IOleInPlaceObject> in_place;
  HRESULT hr = control_->QueryInterface(in_place.put());
  if (FAILED(hr)) return hr;
  hr = in_place->SetObjectRects(&rect, &rect);
  if (FAILED(hr)) return hr;
  rect_ = rect;
  site_->set_rect(rect);
  return S_OK;
}

HRESULT HostedControl::show(bool visible) {
  if (!object_) return E_UNEXPECTED;
  return object_->DoVerb(visible ? OLEIVERB_SHOW : OLEIVERB_HIDE, nullptr, site_.get(), 0, parent_, &rect_);
}

void HostedControl::destroy() noexcept {
  auto connections = std::move(connections_);
  connections_.clear();
  for (auto& connection : connections) connection.point->Unadvise(connection.cookie);
  if (object_) {
    ComPtr<IOleInPlaceObject> in_place;
    if (SUCCEEDED(object_->QueryInterface(in_place.put()))) in_place->InPlaceDeactivate();
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
  }
  object_.reset();
  site_.reset();
  control_.reset();
  parent_ = nullptr;
  rect_ = RECT{};
}

HWND HostedControl::window() const noexcept {
  if (!control_) return nullptr;
  ComPtr<IOleWindow> ole_window;
  if (FAILED(control_->QueryInterface(ole_window.put()))) return nullptr;
  HWND window = nullptr;
  return SUCCEEDED(ole_window->GetWindow(&window)) ? window : nullptr;
}

HRESULT HostedControl::advise(REFIID events, IUnknown* sink, DWORD* cookie) {
  if (cookie) *cookie = 0;
  if (!sink) return E_POINTER;
  if (!control_) return E_UNEXPECTED;
  ComPtr<IConnectionPointContainer> container;
  HRESULT hr = control_->QueryInterface(container.put());
  if (FAILED(hr)) return hr;
  ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(events, point.put());
  if (FAILED(hr)) return hr;
  DWORD made = 0;
  hr = point->Advise(sink, &made);
  if (FAILED(hr)) return hr;
  connections_.push_back(Connection{events, std::move(point), made});
  if (cookie) *cookie = made;
  return S_OK;
}

HRESULT HostedControl::unadvise(REFIID events, DWORD cookie) {
  for (auto it = connections_.begin(); it != connections_.end(); ++it) {
    if (it->cookie == cookie && IsEqualGUID(it->events, events)) {
      const HRESULT hr = it->point->Unadvise(cookie);
      connections_.erase(it);
      return hr;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

}  // namespace platform
