// Small interfaces for exercising the COM helpers.
#pragma once

#include "platform/oaidl.h"

struct IAlpha : IUnknown {
  STDMETHOD_(int, Alpha)() PURE;
};
PLATFORM_DECLARE_IID(IAlpha, "{6A0F5A10-0001-4C1B-9E00-5D8E2C000001}");

struct IBeta : IUnknown {
  STDMETHOD_(int, Beta)() PURE;
};
PLATFORM_DECLARE_IID(IBeta, "{6A0F5A10-0002-4C1B-9E00-5D8E2C000002}");

// Derives from IDispatch, so a Chain must answer IDispatch through it.
struct IGamma : IDispatch {
  STDMETHOD_(int, Gamma)() PURE;
};
PLATFORM_DECLARE_IID(IGamma, "{6A0F5A10-0003-4C1B-9E00-5D8E2C000003}");

struct INotImplemented : IUnknown {};
PLATFORM_DECLARE_IID(INotImplemented, "{6A0F5A10-0004-4C1B-9E00-5D8E2C000004}");
