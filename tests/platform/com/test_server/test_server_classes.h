// What the test server serves, shared by the server and the tests that activate it.
#pragma once

#include "platform/unknwn.h"

struct ITestCounter : IUnknown {
  STDMETHOD(Add)(LONG amount) PURE;
  STDMETHOD(Total)(LONG* total) PURE;

 protected:
  ~ITestCounter() = default;
};
PLATFORM_DECLARE_IID(ITestCounter, "{5B0E6A11-3C52-4F0E-9C8B-2D7A41F3E901}");

// Adds what it is given.
PLATFORM_DEFINE_GUID(CLSID_TestCounter, "{5B0E6A12-3C52-4F0E-9C8B-2D7A41F3E901}");
// Adds twice what it is given.
PLATFORM_DEFINE_GUID(CLSID_TestDoubler, "{5B0E6A13-3C52-4F0E-9C8B-2D7A41F3E901}");

// Extra export: the server's live objects, to tell one loaded copy from two.
using TestServerObjectsFn = LONG (*)();
