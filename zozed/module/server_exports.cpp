// The module's COM server entry points.
#include "platform/support/class_factory.h"
#include "zozed/module/class_map.h"

PLATFORM_DEFINE_MODULE_STATE()

extern "C" PLATFORM_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  return platform::get_class_object(zozed::class_map(), rclsid, riid, ppv);
}

extern "C" PLATFORM_EXPORT HRESULT DllCanUnloadNow() {
  return platform::this_module().can_unload() ? S_OK : S_FALSE;
}

extern "C" PLATFORM_EXPORT HRESULT DllRegisterServer() { return zozed::register_server(); }

extern "C" PLATFORM_EXPORT HRESULT DllUnregisterServer() { return zozed::unregister_server(); }
