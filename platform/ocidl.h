// Connection points: how an event source hands its events to the sinks that connected to it.
#pragma once

#include "platform/oaidl.h"
#include "platform/winuser.h"

struct IConnectionPointContainer;

typedef struct tagCONNECTDATA {
  IUnknown* pUnk;
  DWORD dwCookie;
} CONNECTDATA, *LPCONNECTDATA;

struct IEnumConnections : IUnknown {
  STDMETHOD(Next)(ULONG cConnections, CONNECTDATA* rgcd, ULONG* pcFetched) PURE;
  STDMETHOD(Skip)(ULONG cConnections) PURE;
  STDMETHOD(Reset)() PURE;
  STDMETHOD(Clone)(IEnumConnections** ppEnum) PURE;
};
PLATFORM_DECLARE_IID(IEnumConnections, "{B196B287-BAB4-101A-B69C-00AA00341D07}");

struct IConnectionPoint : IUnknown {
  STDMETHOD(GetConnectionInterface)(IID* pIID) PURE;
  STDMETHOD(GetConnectionPointContainer)(IConnectionPointContainer** ppCPC) PURE;
  STDMETHOD(Advise)(IUnknown* pUnkSink, DWORD* pdwCookie) PURE;
  STDMETHOD(Unadvise)(DWORD dwCookie) PURE;
  STDMETHOD(EnumConnections)(IEnumConnections** ppEnum) PURE;
};
PLATFORM_DECLARE_IID(IConnectionPoint, "{B196B286-BAB4-101A-B69C-00AA00341D07}");

struct IEnumConnectionPoints : IUnknown {
  STDMETHOD(Next)(ULONG cConnections, IConnectionPoint** ppCP, ULONG* pcFetched) PURE;
  STDMETHOD(Skip)(ULONG cConnections) PURE;
  STDMETHOD(Reset)() PURE;
  STDMETHOD(Clone)(IEnumConnectionPoints** ppEnum) PURE;
};
PLATFORM_DECLARE_IID(IEnumConnectionPoints, "{B196B285-BAB4-101A-B69C-00AA00341D07}");

struct IConnectionPointContainer : IUnknown {
  STDMETHOD(EnumConnectionPoints)(IEnumConnectionPoints** ppEnum) PURE;
  STDMETHOD(FindConnectionPoint)(REFIID riid, IConnectionPoint** ppCP) PURE;
};
PLATFORM_DECLARE_IID(IConnectionPointContainer, "{B196B284-BAB4-101A-B69C-00AA00341D07}");

// Controls: keyboard mnemonics, ambient properties and event freezing.
typedef struct tagCONTROLINFO {
  ULONG cb;
  void* hAccel;
  USHORT cAccel;
  DWORD dwFlags;
} CONTROLINFO, *LPCONTROLINFO;

struct IOleControl : IUnknown {
  STDMETHOD(GetControlInfo)(CONTROLINFO* pCI) PURE;
  STDMETHOD(OnMnemonic)(MSG* pMsg) PURE;
  STDMETHOD(OnAmbientPropertyChange)(DISPID dispID) PURE;
  STDMETHOD(FreezeEvents)(BOOL bFreeze) PURE;
};
PLATFORM_DECLARE_IID(IOleControl, "{B196B288-BAB4-101A-B69C-00AA00341D07}");
