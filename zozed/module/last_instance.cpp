#include "zozed/module/last_instance.h"

#include <utility>

#include "zozed/module/service_manager.h"

namespace zozed {

void InstanceHolder::keep(IUnknown* instance) noexcept {
  if (instance) instance->AddRef();
  release();
  held_ = instance;
}

void InstanceHolder::release() noexcept {
  if (IUnknown* held = std::exchange(held_, nullptr)) held->Release();
}

bool InstanceHolder::held_alone() const noexcept {
  if (!held_) return false;
  held_->AddRef();
  return held_->Release() == 1;
}

LONG objects_held_alone() noexcept {
  return (LastInstance<STGShareManager>::holder().held_alone() ? 1 : 0) +
         (LastInstance<STGSaveManager>::holder().held_alone() ? 1 : 0);
}

}  // namespace zozed
