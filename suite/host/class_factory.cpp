// The class object every suite class is registered with: it hands each new object the
// suite's shared state.
#include "platform/support/com_object.h"
#include "suite/host/suite_objects.h"

namespace suite {
namespace {

class SuiteClassFactory final : public platform::ComObject<SuiteClassFactory, IClassFactory> {
 public:
  static constexpr bool kCountsTowardsModule = false;

  SuiteClassFactory(std::shared_ptr<SuiteState> state, ObjectCreator create) : state_(std::move(state)), create_(create) {}

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return create_(state_, riid, ppv);
  }

  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock)
      platform::this_module().lock();
    else
      platform::this_module().unlock();
    return S_OK;
  }

 private:
  std::shared_ptr<SuiteState> state_;
  ObjectCreator create_;
};

}  // namespace

HRESULT create_class_factory(const std::shared_ptr<SuiteState>& state, ObjectCreator create, IClassFactory** factory) {
  return platform::create_com<SuiteClassFactory>(IID_IClassFactory, reinterpret_cast<void**>(factory), state, create);
}

}  // namespace suite
