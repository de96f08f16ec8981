// CoCreateFreeThreadedMarshaler: an object to aggregate that answers IMarshal by handing the
// interface pointer itself to any apartment of the process.
#include <atomic>
#include <new>

#include "platform/objbase.h"
#include "platform/support/module_state.h"

namespace {

class FreeThreadedMarshaler final : public IMarshal {
 public:
  explicit FreeThreadedMarshaler(IUnknown* outer) : outer_(outer ? outer : &inner_) {
    inner_.owner = this;
    platform::this_module().object_created();
  }

  IUnknown* inner() noexcept { return &inner_; }

  // IMarshal's IUnknown is the outer object's: the aggregate has one identity.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return outer_->QueryInterface(riid, ppv); }
  STDMETHODIMP_(ULONG) AddRef() override { return outer_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return outer_->Release(); }

  STDMETHODIMP GetUnmarshalClass(REFIID, void*, DWORD dest_context, void*, DWORD, CLSID* clsid) override {
    if (!clsid) return E_POINTER;
    // Within the process the pointer itself travels; beyond it the standard marshaler
    // would take over, and it names its own class.
    *clsid = in_process(dest_context) ? CLSID_InProcFreeMarshaler : CLSID_StdMarshal;
    return S_OK;
  }

  STDMETHODIMP GetMarshalSizeMax(REFIID, void*, DWORD dest_context, void*, DWORD, DWORD* size) override {
    if (!size) return E_POINTER;
    *size = 0;
    if (!in_process(dest_context)) return E_NOTIMPL;  // no other process to marshal to here
    // Marshal flags, the pointer, a reserved DWORD and a GUID.
    *size = static_cast<DWORD>(sizeof(DWORD) + sizeof(void*) + sizeof(DWORD) + sizeof(GUID));
    return S_OK;
  }

  // Nothing on this platform moves interface pointers through streams between apartments.
  STDMETHODIMP MarshalInterface(IStream*, REFIID, void*, DWORD, void*, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP UnmarshalInterface(IStream*, REFIID, void** ppv) override {
    if (ppv) *ppv = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP ReleaseMarshalData(IStream*) override { return E_NOTIMPL; }
  // There are no connections to break: callers hold the object itself.
  STDMETHODIMP DisconnectObject(DWORD) override { return S_OK; }

 private:
  // The non-delegating IUnknown the outer object owns and asks for IMarshal.
  struct Inner final : IUnknown {
    FreeThreadedMarshaler& self() noexcept { return *owner; }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
      if (!ppv) return E_POINTER;
      *ppv = nullptr;
      if (IsEqualGUID(riid, IID_IUnknown)) {
        *ppv = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
      }
      if (IsEqualGUID(riid, IID_IMarshal)) {
        IMarshal* marshal = &self();
        marshal->AddRef();  // counts on the outer object, which owns us
        *ppv = marshal;
        return S_OK;
      }
      return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return refs.fetch_add(1, std::memory_order_relaxed) + 1; }
    STDMETHODIMP_(ULONG) Release() override {
      const ULONG left = refs.fetch_sub(1, std::memory_order_acq_rel) - 1;
      if (left == 0) delete &self();
      return left;
    }
    std::atomic<ULONG> refs{1};
    FreeThreadedMarshaler* owner = nullptr;
  };

  static bool in_process(DWORD dest_context) noexcept {
    return dest_context == MSHCTX_INPROC || dest_context == MSHCTX_CROSSCTX;
  }

  ~FreeThreadedMarshaler() { platform::this_module().object_destroyed(); }

  Inner inner_;
  IUnknown* outer_;  // not counted: the outer object owns the inner one
};

}  // namespace

STDAPI CoCreateFreeThreadedMarshaler(IUnknown* punkOuter, IUnknown** ppunkMarshal) {
  if (!ppunkMarshal) return E_INVALIDARG;
  *ppunkMarshal = nullptr;
  auto* marshaler = new (std::nothrow) FreeThreadedMarshaler(punkOuter);
  if (!marshaler) return E_OUTOFMEMORY;
  *ppunkMarshal = marshaler->inner();  // with the one reference the inner count starts at
  return S_OK;
}
