// Removing a key with everything below it, in one transaction of the store.
#pragma once

#include <string>

#include "platform/src/registry/registry_store.h"

namespace platform::registry {

// With `keep_self` the key stays, emptied of subkeys and values.
LONG delete_tree(RegistryStore& store, Root root, const std::u16string& path, bool keep_self);

}  // namespace platform::registry
