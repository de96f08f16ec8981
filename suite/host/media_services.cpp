// The suite's media services: as far as components need it yet, the listeners told to let go
// of their host objects when the suite shuts down.
#include <span>

#include "host/media_services.h"
#include "platform/support/dispatch_object.h"
#include "suite/host/suite_objects.h"

namespace suite {
namespace {

using platform::ComPtr;
using platform::DispatchCall;
using platform::DispatchMember;

class MediaServices final : public platform::DispatchObject<MediaServices, platform::Chain<IMediaServices, IDispatch>> {
 public:
  explicit MediaServices(std::shared_ptr<SuiteState> state) : state_(std::move(state)) {}

  // A listener registered twice is kept once (S_FALSE), so that it is told only once.
  STDMETHODIMP RegisterListener(IUnknown* listener) override {
    if (!listener) return E_INVALIDARG;
    if (!state_->running) return E_UNEXPECTED;  // it would never be told
    ComPtr<IShutdownSink> sink;
    HRESULT hr = listener->QueryInterface(IID_IShutdownSink, sink.put_void());
    if (FAILED(hr)) return hr;
    ComPtr<IUnknown> identity;
    hr = listener->QueryInterface(IID_IUnknown, identity.put_void());
    if (FAILED(hr)) return hr;
    for (const auto& known : state_->listeners)
      if (known.get() == identity.get()) return S_FALSE;
    return platform::com_boundary([&] {
      state_->listeners.push_back(std::move(identity));
      return S_OK;
    });
  }

  // File objects, pictures and media types are served by the suite's media library, which
  // replaces this object; until then they are refused.
  STDMETHODIMP GetFileObject(BSTR, IFileObject** file) override { return refuse(file); }
  STDMETHODIMP GetDefaultFolder(BSTR* folder) override { return refuse(folder); }
  STDMETHODIMP GetImageInfo(BSTR, ImageInfo* info) override { return info ? E_NOTIMPL : E_POINTER; }
  STDMETHODIMP LoadImage(const MediaLoadRequest* request) override { return request ? E_NOTIMPL : E_POINTER; }
  STDMETHODIMP SaveImage(IImageObject*, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP GetMediaType(BSTR, LONG* type) override {
    if (!type) return E_POINTER;
    *type = -1;
    return E_NOTIMPL;
  }

  static std::span<const DispatchMember<MediaServices>> dispatch_members() {
    static constexpr DispatchMember<MediaServices> kMembers[] = {
        {1, u"RegisterListener", DISPATCH_METHOD, &MediaServices::dispatch_register_listener},
    };
    return kMembers;
  }

 private:
  template <class T>
  static HRESULT refuse(T** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return E_NOTIMPL;
  }

  HRESULT dispatch_register_listener(const DispatchCall& call) { return RegisterListener(call.get_unknown(0).get()); }

  std::shared_ptr<SuiteState> state_;
};

}  // namespace

HRESULT create_media_services(const std::shared_ptr<SuiteState>& state, REFIID riid, void** ppv) {
  return platform::create_com<MediaServices>(riid, ppv, state);
}

void shut_down_listeners(SuiteState& state) noexcept {
  // Taken out first: a sink may register again or release the last reference to itself.
  auto listeners = std::move(state.listeners);
  state.listeners.clear();
  for (const auto& listener : listeners) {
    ComPtr<IShutdownSink> sink;
    if (SUCCEEDED(listener->QueryInterface(IID_IShutdownSink, sink.put_void()))) (void)sink->Shutdown();
  }
}

}  // namespace suite
