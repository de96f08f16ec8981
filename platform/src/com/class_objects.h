// The table of class objects registered with CoRegisterClassObject.
#pragma once

#include "platform/combaseapi.h"

namespace platform::com {

// A new reference to the class object registered for `clsid` in a context `context` allows;
// null when there is none.
IUnknown* find_class_object(REFCLSID clsid, DWORD context);

}  // namespace platform::com
