// In-process servers loaded for activation: each file is loaded once and stays until
// CoFreeUnusedLibraries finds it unused.
#pragma once

#include <string>

#include "platform/combaseapi.h"

namespace platform::com {

// Loads the server at `path` (if not loaded yet) and asks its DllGetClassObject.
// CO_E_DLLNOTFOUND when it cannot be loaded, CO_E_ERRORINDLL without the export.
HRESULT server_class_object(const std::string& path, REFCLSID clsid, REFIID riid, void** ppv);

}  // namespace platform::com
