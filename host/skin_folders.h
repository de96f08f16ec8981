// ISkinFolders: where the host keeps its skin's layout descriptions and their strings files,
// the folder that a "root:" layout reference and a dialog's strings file name are found in.
// The environment object answers it.
#pragma once

#include "platform/oaidl.h"

struct ISkinFolders : IUnknown {
  // The layout folder as a Windows path ("Z:\\...\\layouts"); "root:Name.Element" is the
  // element named Element of the file Name.xml in it.
  STDMETHOD(get_LayoutRoot)(BSTR* path) PURE;
};
PLATFORM_DECLARE_IID(ISkinFolders, "{05BB4196-14B1-4901-9603-31B80079756B}");
