#include "platform/src/registry/store_tree.h"

namespace platform::registry {
namespace {

LONG delete_below(RegistryStore& store, Root root, const std::u16string& path, bool keep_self) {
  std::u16string child;
  // Always the first subkey: each one is gone before the next is asked for.
  while (store.enum_subkey(root, path, 0, child) == ERROR_SUCCESS) {
    const LONG rc = delete_below(store, root, path.empty() ? child : path + u'\\' + child, false);
    if (rc != ERROR_SUCCESS) return rc;
  }
  if (!keep_self) return store.delete_key(root, path);
  Value value;
  while (store.enum_value(root, path, 0, value) == ERROR_SUCCESS) {
    const LONG rc = store.delete_value(root, path, value.name);
    if (rc != ERROR_SUCCESS) return rc;
  }
  return ERROR_SUCCESS;
}

}  // namespace

LONG delete_tree(RegistryStore& store, Root root, const std::u16string& path, bool keep_self) {
  return store.transact([&] { return delete_below(store, root, path, keep_self); });
}

}  // namespace platform::registry
