#include "zozed/module/class_map.h"

namespace zozed {

// The eleven classes and their registration scripts arrive with the module's COM server work;
// until then the server answers CLASS_E_CLASSNOTAVAILABLE for every CLSID.
std::span<const platform::ClassEntry> class_map() { return {}; }

HRESULT register_server() { return S_OK; }
HRESULT unregister_server() { return S_OK; }

}  // namespace zozed
