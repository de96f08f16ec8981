// The test in-process server: two classes behind DllGetClassObject and DllCanUnloadNow.
#include <array>

#include "platform/combaseapi.h"
#include "platform/support/class_factory.h"
#include "tests/platform/com/test_server/test_server_classes.h"

PLATFORM_DEFINE_MODULE_STATE()

namespace {

template <LONG Factor>
class Counter final : public platform::ComObject<Counter<Factor>, ITestCounter> {
 public:
  STDMETHODIMP Add(LONG amount) override {
    total_ += Factor * amount;
    return S_OK;
  }
  STDMETHODIMP Total(LONG* total) override {
    if (!total) return E_POINTER;
    *total = total_;
    return S_OK;
  }

 private:
  LONG total_ = 0;
};

constexpr std::array kClasses{
    platform::class_entry<Counter<1>>(CLSID_TestCounter),
    platform::class_entry<Counter<2>>(CLSID_TestDoubler),
};

}  // namespace

extern "C" PLATFORM_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  return platform::get_class_object(kClasses, rclsid, riid, ppv);
}

extern "C" PLATFORM_EXPORT HRESULT DllCanUnloadNow() {
  return platform::this_module().can_unload() ? S_OK : S_FALSE;
}

extern "C" PLATFORM_EXPORT LONG TestServerObjects() { return platform::this_module().objects(); }
