// The module's COM server entry points.
#include "platform/support/class_factory.h"
#include "zozed/module/class_map.h"
#include "zozed/module/last_instance.h"

PLATFORM_DEFINE_MODULE_STATE()

extern "C" PLATFORM_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  return platform::get_class_object(zozed::class_map(), rclsid, riid, ppv);
}

// The managers' last instances go with the module; they do not keep it loaded.
extern "C" PLATFORM_EXPORT HRESULT DllCanUnloadNow() {
  const auto& module = platform::this_module();
  return module.objects() == zozed::objects_held_alone() && module.locks() == 0 ? S_OK : S_FALSE;
}

extern "C" PLATFORM_EXPORT HRESULT DllRegisterServer() { return zozed::register_server(); }

extern "C" PLATFORM_EXPORT HRESULT DllUnregisterServer() { return zozed::unregister_server(); }
