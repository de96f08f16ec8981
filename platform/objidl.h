// Object interfaces beyond IUnknown that activation and embedding use: streams, marshalling
// and running objects.
#pragma once

#include "platform/unknwn.h"

struct IBindCtx;
using LPBINDCTX = IBindCtx*;

typedef struct tagSTATSTG {
  LPOLESTR pwcsName;
  DWORD type;
  ULARGE_INTEGER cbSize;
  FILETIME mtime;
  FILETIME ctime;
  FILETIME atime;
  DWORD grfMode;
  DWORD grfLocksSupported;
  CLSID clsid;
  DWORD grfStateBits;
  DWORD reserved;
} STATSTG;

enum STREAM_SEEK : DWORD { STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2 };

struct ISequentialStream : IUnknown {
  STDMETHOD(Read)(void* pv, ULONG cb, ULONG* pcbRead) PURE;
  STDMETHOD(Write)(const void* pv, ULONG cb, ULONG* pcbWritten) PURE;

 protected:
  ~ISequentialStream() = default;
};
PLATFORM_DECLARE_IID(ISequentialStream, "{0C733A30-2A1C-11CE-ADE5-00AA0044773D}");

struct IStream : ISequentialStream {
  STDMETHOD(Seek)(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) PURE;
  STDMETHOD(SetSize)(ULARGE_INTEGER libNewSize) PURE;
  STDMETHOD(CopyTo)(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead, ULARGE_INTEGER* pcbWritten) PURE;
  STDMETHOD(Commit)(DWORD grfCommitFlags) PURE;
  STDMETHOD(Revert)() PURE;
  STDMETHOD(LockRegion)(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) PURE;
  STDMETHOD(UnlockRegion)(ULARGE_INTEGER libOffset, ULARGE_INTEGER cb, DWORD dwLockType) PURE;
  STDMETHOD(Stat)(STATSTG* pstatstg, DWORD grfStatFlag) PURE;
  STDMETHOD(Clone)(IStream** ppstm) PURE;

 protected:
  ~IStream() = default;
};
using LPSTREAM = IStream*;
PLATFORM_DECLARE_IID(IStream, "{0000000C-0000-0000-C000-000000000046}");

enum MSHCTX : DWORD {
  MSHCTX_LOCAL = 0,
  MSHCTX_NOSHAREDMEM = 1,
  MSHCTX_DIFFERENTMACHINE = 2,
  MSHCTX_INPROC = 3,
  MSHCTX_CROSSCTX = 4,
};

enum MSHLFLAGS : DWORD {
  MSHLFLAGS_NORMAL = 0,
  MSHLFLAGS_TABLESTRONG = 1,
  MSHLFLAGS_TABLEWEAK = 2,
  MSHLFLAGS_NOPING = 4,
};

struct IMarshal : IUnknown {
  STDMETHOD(GetUnmarshalClass)(REFIID riid, void* pv, DWORD dwDestContext, void* pvDestContext, DWORD mshlflags,
                               CLSID* pCid) PURE;
  STDMETHOD(GetMarshalSizeMax)(REFIID riid, void* pv, DWORD dwDestContext, void* pvDestContext, DWORD mshlflags,
                               DWORD* pSize) PURE;
  STDMETHOD(MarshalInterface)(IStream* pStm, REFIID riid, void* pv, DWORD dwDestContext, void* pvDestContext,
                              DWORD mshlflags) PURE;
  STDMETHOD(UnmarshalInterface)(IStream* pStm, REFIID riid, void** ppv) PURE;
  STDMETHOD(ReleaseMarshalData)(IStream* pStm) PURE;
  STDMETHOD(DisconnectObject)(DWORD dwReserved) PURE;

 protected:
  ~IMarshal() = default;
};
using LPMARSHAL = IMarshal*;
PLATFORM_DECLARE_IID(IMarshal, "{00000003-0000-0000-C000-000000000046}");

struct IRunnableObject : IUnknown {
  STDMETHOD(GetRunningClass)(LPCLSID lpClsid) PURE;
  STDMETHOD(Run)(LPBINDCTX pbc) PURE;
  STDMETHOD_(BOOL, IsRunning)() PURE;
  STDMETHOD(LockRunning)(BOOL fLock, BOOL fLastUnlockCloses) PURE;
  STDMETHOD(SetContainedObject)(BOOL fContained) PURE;

 protected:
  ~IRunnableObject() = default;
};
using LPRUNNABLEOBJECT = IRunnableObject*;
PLATFORM_DECLARE_IID(IRunnableObject, "{00000126-0000-0000-C000-000000000046}");

// The unmarshal classes the marshalers name.
PLATFORM_DEFINE_GUID(CLSID_InProcFreeMarshaler, "{0000033A-0000-0000-C000-000000000046}");
PLATFORM_DEFINE_GUID(CLSID_StdMarshal, "{00000017-0000-0000-C000-000000000046}");
