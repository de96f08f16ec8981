// The process-wide reference each service manager class keeps to its most recently created
// instance, so that a host asking again finds the catalogue caches warm. The reference lasts
// until the module unloads; an instance that nothing else references does not keep the
// module loaded.
#pragma once

#include "platform/unknwn.h"
#include "platform/windef.h"

namespace zozed {

class InstanceHolder {
 public:
  InstanceHolder() = default;
  InstanceHolder(const InstanceHolder&) = delete;
  InstanceHolder& operator=(const InstanceHolder&) = delete;
  ~InstanceHolder() { release(); }

  // Holds `instance` in place of the one held before.
  void keep(IUnknown* instance) noexcept;
  void release() noexcept;
  // True when an instance is held and the holder's is its only reference.
  bool held_alone() const noexcept;

 private:
  IUnknown* held_ = nullptr;
};

template <class Class>
struct LastInstance {
  static InstanceHolder& holder() noexcept {
    static InstanceHolder holder;
    return holder;
  }
  static void keep(IUnknown* instance) noexcept { holder().keep(instance); }
};

// How many of the module's live objects only the holders keep alive.
LONG objects_held_alone() noexcept;

}  // namespace zozed
