// The host's working-folder object: the base folder below which components make their
// default working folders.
#pragma once

#include "platform/oaidl.h"

struct IWorkingFolder : IDispatch {
  // The base folder (a Windows path, possibly without a trailing backslash).
  STDMETHOD(GetBaseFolder)(BSTR* folder) PURE;
};
PLATFORM_DECLARE_IID(IWorkingFolder, "{8CD39CCE-1A1B-4AF9-AC10-1D31F35C0DB9}");

namespace host {
PLATFORM_DEFINE_GUID(CLSID_WorkingFolder, "{A7AAAEB7-926F-4681-A9FB-00F07B7A583D}");
}  // namespace host
