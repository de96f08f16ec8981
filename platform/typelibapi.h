// Type library registration under HKEY_CLASSES_ROOT\TypeLib. There are no .tlb files on this
// platform: a module describes its library with platform::create_type_lib instead.
#pragma once

#include "platform/oaidl.h"

enum SYSKIND { SYS_WIN16 = 0, SYS_WIN32 = 1, SYS_MAC = 2, SYS_WIN64 = 3 };

enum LIBFLAGS : WORD { LIBFLAG_FRESTRICTED = 0x1, LIBFLAG_FCONTROL = 0x2, LIBFLAG_FHIDDEN = 0x4, LIBFLAG_FHASDISKIMAGE = 0x8 };

enum TYPEKIND {
  TKIND_ENUM = 0,
  TKIND_RECORD,
  TKIND_MODULE,
  TKIND_INTERFACE,
  TKIND_DISPATCH,
  TKIND_COCLASS,
  TKIND_ALIAS,
  TKIND_UNION,
  TKIND_MAX
};

typedef struct tagTLIBATTR {
  GUID guid;
  LCID lcid;
  SYSKIND syskind;
  WORD wMajorVerNum;
  WORD wMinorVerNum;
  WORD wLibFlags;
} TLIBATTR, *LPTLIBATTR;

struct ITypeComp;

struct ITypeLib : IUnknown {
  STDMETHOD_(UINT, GetTypeInfoCount)() PURE;
  STDMETHOD(GetTypeInfo)(UINT index, ITypeInfo** ppTInfo) PURE;
  STDMETHOD(GetTypeInfoType)(UINT index, TYPEKIND* pTKind) PURE;
  STDMETHOD(GetTypeInfoOfGuid)(REFGUID guid, ITypeInfo** ppTinfo) PURE;
  STDMETHOD(GetLibAttr)(TLIBATTR** ppTLibAttr) PURE;
  STDMETHOD(GetTypeComp)(ITypeComp** ppTComp) PURE;
  STDMETHOD(GetDocumentation)(INT index, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                              BSTR* pBstrHelpFile) PURE;
  STDMETHOD(IsName)(LPOLESTR szNameBuf, ULONG lHashVal, BOOL* pfName) PURE;
  STDMETHOD(FindName)(LPOLESTR szNameBuf, ULONG lHashVal, ITypeInfo** ppTInfo, MEMBERID* rgMemId,
                      USHORT* pcFound) PURE;
  STDMETHOD_(void, ReleaseTLibAttr)(TLIBATTR* pTLibAttr) PURE;

 protected:
  ~ITypeLib() = default;
};
using LPTYPELIB = ITypeLib*;
PLATFORM_DECLARE_IID(ITypeLib, "{00020402-0000-0000-C000-000000000046}");

// Writes TypeLib\{libid}\{major}.{minor} (hex, as Windows writes them): default value the
// library's name, FLAGS, HELPDIR (helpDir, else fullPath's folder) and {lcid}\win64 = fullPath.
STDAPI RegisterTypeLib(ITypeLib* ptlib, LPCOLESTR szFullPath, LPCOLESTR szHelpDir);
// Removes that version's {lcid}\{win32|win64} entry, then whatever it leaves empty.
STDAPI UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor, LCID lcid, SYSKIND syskind);

namespace platform {

// A type library that knows its identity and nothing more: GetLibAttr answers it, SYS_WIN64,
// and no type infos. `name` is the library's name (what RegisterTypeLib writes).
[[nodiscard]] HRESULT create_type_lib(REFGUID libid, WORD major, WORD minor, LCID lcid, LPCOLESTR name,
                                      ITypeLib** out);

}  // namespace platform
