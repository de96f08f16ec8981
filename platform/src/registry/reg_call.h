// Shared steps of the Reg* functions: resolving a handle against the current store.
#pragma once

#include <memory>
#include <new>

#include "platform/src/registry/open_keys.h"

namespace platform::registry {

struct Target {
  std::shared_ptr<RegistryStore> store;
  OpenKey key;
};

// Resolves `hkey` and checks it grants `required`; ERROR_KEY_DELETED once its key is gone.
inline LONG resolve(HKEY hkey, REGSAM required, Target& out) {
  LONG rc = lookup_key(hkey, out.key);
  if (rc != ERROR_SUCCESS) return rc;
  if ((out.key.access & required) != required) return ERROR_ACCESS_DENIED;
  out.store = current_store();
  if (!out.key.predefined && out.store->key_exists(out.key.root, out.key.path) != ERROR_SUCCESS)
    return ERROR_KEY_DELETED;
  return ERROR_SUCCESS;
}

// Nothing but Win32 codes leaves a Reg* function.
template <class Body>
LONG reg_call(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  } catch (...) {
    return ERROR_REGISTRY_IO_FAILED;
  }
}

}  // namespace platform::registry
