// The process's registry store. Until a persistent store is configured it lives in memory.
#include <mutex>

#include "platform/src/registry/registry_store.h"

namespace platform::registry {
namespace {

struct Current {
  std::mutex mutex;
  std::shared_ptr<RegistryStore> store = make_memory_store();
};

Current& current() {
  static Current c;
  return c;
}

}  // namespace

std::shared_ptr<RegistryStore> use_store(std::shared_ptr<RegistryStore> store) {
  auto& c = current();
  std::lock_guard lock(c.mutex);
  if (!store) store = make_memory_store();
  std::swap(c.store, store);
  return store;
}

std::shared_ptr<RegistryStore> current_store() {
  auto& c = current();
  std::lock_guard lock(c.mutex);
  return c.store;
}

}  // namespace platform::registry
