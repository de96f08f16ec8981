// IUnknown and IClassFactory, the two interfaces every COM object and server starts from.
#pragma once

#include "platform/guiddef.h"
#include "platform/winerror.h"

struct IUnknown {
  STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) PURE;
  STDMETHOD_(ULONG, AddRef)() PURE;
  STDMETHOD_(ULONG, Release)() PURE;

  template <class Q>
  HRESULT QueryInterface(Q** pp) {
    return QueryInterface(platform::iid_of<Q>, reinterpret_cast<void**>(pp));
  }

 protected:
  // Objects die through Release, never through delete on an interface pointer.
  ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;
PLATFORM_DECLARE_IID(IUnknown, "{00000000-0000-0000-C000-000000000046}");

struct IClassFactory : IUnknown {
  STDMETHOD(CreateInstance)(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) PURE;
  STDMETHOD(LockServer)(BOOL fLock) PURE;

 protected:
  ~IClassFactory() = default;
};
using LPCLASSFACTORY = IClassFactory*;
PLATFORM_DECLARE_IID(IClassFactory, "{00000001-0000-0000-C000-000000000046}");
