// OLE embedding interfaces a container and an ActiveX control use to place the control in a
// window: client and in-place sites, the object, its in-place side and its drawing.
#pragma once

#include "platform/objidl.h"
#include "platform/windef.h"
#include "platform/winuser.h"

struct IMoniker;
struct IDataObject;
struct IEnumOLEVERB;
struct IAdviseSink;
struct IEnumSTATDATA;
struct IEnumUnknown;
struct IOleInPlaceActiveObject;
struct tagLOGPALETTE;
struct tagDVTARGETDEVICE;
using DVTARGETDEVICE = tagDVTARGETDEVICE;
using LOGPALETTE = tagLOGPALETTE;

// Verbs DoVerb accepts; controls answer OLEOBJ_S_INVALIDVERB for others.
inline constexpr LONG OLEIVERB_PRIMARY = 0;
inline constexpr LONG OLEIVERB_SHOW = -1;
inline constexpr LONG OLEIVERB_OPEN = -2;
inline constexpr LONG OLEIVERB_HIDE = -3;
inline constexpr LONG OLEIVERB_UIACTIVATE = -4;
inline constexpr LONG OLEIVERB_INPLACEACTIVATE = -5;
inline constexpr LONG OLEIVERB_DISCARDUNDOSTATE = -6;

enum OLECLOSE : DWORD { OLECLOSE_SAVEIFDIRTY = 0, OLECLOSE_NOSAVE = 1, OLECLOSE_PROMPTSAVE = 2 };
enum DVASPECT : DWORD { DVASPECT_CONTENT = 1, DVASPECT_THUMBNAIL = 2, DVASPECT_ICON = 4, DVASPECT_DOCPRINT = 8 };
enum OLEMISC : DWORD {
  OLEMISC_RECOMPOSEONRESIZE = 0x1,
  OLEMISC_INSIDEOUT = 0x80,
  OLEMISC_ACTIVATEWHENVISIBLE = 0x100,
  OLEMISC_SETCLIENTSITEFIRST = 0x20000,
};

typedef struct tagOIFI {
  UINT cb;
  BOOL fMDIApp;
  HWND hwndFrame;
  void* haccel;
  UINT cAccelEntries;
} OLEINPLACEFRAMEINFO, *LPOLEINPLACEFRAMEINFO;

struct IOleContainer;
struct IOleInPlaceFrame;
struct IOleInPlaceUIWindow;

struct IOleWindow : IUnknown {
  STDMETHOD(GetWindow)(HWND* phwnd) PURE;
  STDMETHOD(ContextSensitiveHelp)(BOOL fEnterMode) PURE;

 protected:
  ~IOleWindow() = default;
};
PLATFORM_DECLARE_IID(IOleWindow, "{00000114-0000-0000-C000-000000000046}");

struct IOleClientSite : IUnknown {
  STDMETHOD(SaveObject)() PURE;
  STDMETHOD(GetMoniker)(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) PURE;
  STDMETHOD(GetContainer)(IOleContainer** ppContainer) PURE;
  STDMETHOD(ShowObject)() PURE;
  STDMETHOD(OnShowWindow)(BOOL fShow) PURE;
  STDMETHOD(RequestNewObjectLayout)() PURE;

 protected:
  ~IOleClientSite() = default;
};
using LPOLECLIENTSITE = IOleClientSite*;
PLATFORM_DECLARE_IID(IOleClientSite, "{00000118-0000-0000-C000-000000000046}");

struct IOleInPlaceSite : IOleWindow {
  STDMETHOD(CanInPlaceActivate)() PURE;
  STDMETHOD(OnInPlaceActivate)() PURE;
  STDMETHOD(OnUIActivate)() PURE;
  STDMETHOD(GetWindowContext)(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                              LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) PURE;
  STDMETHOD(Scroll)(SIZE scrollExtant) PURE;
  STDMETHOD(OnUIDeactivate)(BOOL fUndoable) PURE;
  STDMETHOD(OnInPlaceDeactivate)() PURE;
  STDMETHOD(DiscardUndoState)() PURE;
  STDMETHOD(DeactivateAndUndo)() PURE;
  STDMETHOD(OnPosRectChange)(LPCRECT lprcPosRect) PURE;

 protected:
  ~IOleInPlaceSite() = default;
};
PLATFORM_DECLARE_IID(IOleInPlaceSite, "{00000119-0000-0000-C000-000000000046}");

struct IOleObject : IUnknown {
  STDMETHOD(SetClientSite)(IOleClientSite* pClientSite) PURE;
  STDMETHOD(GetClientSite)(IOleClientSite** ppClientSite) PURE;
  STDMETHOD(SetHostNames)(LPCOLESTR szContainerApp, LPCOLESTR szContainerObj) PURE;
  STDMETHOD(Close)(DWORD dwSaveOption) PURE;
  STDMETHOD(SetMoniker)(DWORD dwWhichMoniker, IMoniker* pmk) PURE;
  STDMETHOD(GetMoniker)(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) PURE;
  STDMETHOD(InitFromData)(IDataObject* pDataObject, BOOL fCreation, DWORD dwReserved) PURE;
  STDMETHOD(GetClipboardData)(DWORD dwReserved, IDataObject** ppDataObject) PURE;
  STDMETHOD(DoVerb)(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite, LONG lindex, HWND hwndParent,
                    LPCRECT lprcPosRect) PURE;
  STDMETHOD(EnumVerbs)(IEnumOLEVERB** ppEnumOleVerb) PURE;
  STDMETHOD(Update)() PURE;
  STDMETHOD(IsUpToDate)() PURE;
  STDMETHOD(GetUserClassID)(CLSID* pClsid) PURE;
  STDMETHOD(GetUserType)(DWORD dwFormOfType, LPOLESTR* pszUserType) PURE;
  STDMETHOD(SetExtent)(DWORD dwDrawAspect, SIZEL* psizel) PURE;
  STDMETHOD(GetExtent)(DWORD dwDrawAspect, SIZEL* psizel) PURE;
  STDMETHOD(Advise)(IAdviseSink* pAdvSink, DWORD* pdwConnection) PURE;
  STDMETHOD(Unadvise)(DWORD dwConnection) PURE;
  STDMETHOD(EnumAdvise)(IEnumSTATDATA** ppenumAdvise) PURE;
  STDMETHOD(GetMiscStatus)(DWORD dwAspect, DWORD* pdwStatus) PURE;
  STDMETHOD(SetColorScheme)(LOGPALETTE* pLogpal) PURE;

 protected:
  ~IOleObject() = default;
};
using LPOLEOBJECT = IOleObject*;
PLATFORM_DECLARE_IID(IOleObject, "{00000112-0000-0000-C000-000000000046}");

struct IOleInPlaceObject : IOleWindow {
  STDMETHOD(InPlaceDeactivate)() PURE;
  STDMETHOD(UIDeactivate)() PURE;
  STDMETHOD(SetObjectRects)(LPCRECT lprcPosRect, LPCRECT lprcClipRect) PURE;
  STDMETHOD(ReactivateAndUndo)() PURE;

 protected:
  ~IOleInPlaceObject() = default;
};
PLATFORM_DECLARE_IID(IOleInPlaceObject, "{00000113-0000-0000-C000-000000000046}");

// Drawing on request: `pfnContinue` is polled during long drawing (never, here).
using PFN_DRAW_CONTINUE = BOOL (*)(ULONG_PTR dwContinue);
struct IViewObject : IUnknown {
  STDMETHOD(Draw)(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd, HDC hdcTargetDev,
                  HDC hdcDraw, LPCRECTL lprcBounds, LPCRECTL lprcWBounds, PFN_DRAW_CONTINUE pfnContinue,
                  ULONG_PTR dwContinue) PURE;
  STDMETHOD(GetColorSet)(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd, HDC hicTargetDev,
                         LOGPALETTE** ppColorSet) PURE;
  STDMETHOD(Freeze)(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DWORD* pdwFreeze) PURE;
  STDMETHOD(Unfreeze)(DWORD dwFreeze) PURE;
  STDMETHOD(SetAdvise)(DWORD aspects, DWORD advf, IAdviseSink* pAdvSink) PURE;
  STDMETHOD(GetAdvise)(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink) PURE;

 protected:
  ~IViewObject() = default;
};
PLATFORM_DECLARE_IID(IViewObject, "{0000010D-0000-0000-C000-000000000046}");
