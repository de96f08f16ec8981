// IMediaServices: the host's media services; here the listener registration through which
// objects holding host objects are told to let go of them (IShutdownSink) when the host ends.
#pragma once

#include "platform/oaidl.h"

struct IShutdownSink : IUnknown {
  // The host is shutting down: release every host object held.
  STDMETHOD(Shutdown)() PURE;
};
PLATFORM_DECLARE_IID(IShutdownSink, "{8701544E-1A8F-4A2C-8BD9-FF021CDBEBCB}");

struct IMediaServices : IDispatch {
  // Keeps `listener` and calls its IShutdownSink when the host shuts down.
  STDMETHOD(RegisterListener)(IUnknown* listener) PURE;
};
PLATFORM_DECLARE_IID(IMediaServices, "{A3DF9F01-1200-45B9-802F-4562A711571E}");

namespace host {
PLATFORM_DEFINE_GUID(CLSID_MediaServices, "{3E08E8BA-2AB8-4FFC-B27C-6E1033C67A99}");
}  // namespace host
