// A registry store held in memory: a tree of keys per root. Thread-safe.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "platform/src/registry/name_compare.h"
#include "platform/src/registry/registry_store.h"

namespace platform::registry {

class MemoryStore final : public RegistryStore {
 public:
  LONG key_exists(Root root, std::u16string_view path) override;
  LONG create_key(Root root, std::u16string_view path, bool& created) override;
  LONG delete_key(Root root, std::u16string_view path) override;
  LONG enum_subkey(Root root, std::u16string_view path, DWORD index, std::u16string& name) override;
  LONG query_value(Root root, std::u16string_view path, std::u16string_view name, Value& out) override;
  LONG enum_value(Root root, std::u16string_view path, DWORD index, Value& out) override;
  LONG set_value(Root root, std::u16string_view path, std::u16string_view name, DWORD type,
                 std::span<const BYTE> data) override;
  LONG delete_value(Root root, std::u16string_view path, std::u16string_view name) override;
  LONG key_info(Root root, std::u16string_view path, KeyInfo& out) override;
  LONG transact(const std::function<LONG()>& body) override;

 private:
  struct Node {
    std::u16string name;
    std::map<std::u16string, std::unique_ptr<Node>, NameLess> children;
    std::vector<Value> values;

    std::unique_ptr<Node> clone() const;
  };

  Node* find(Root root, std::u16string_view path);
  Node& root_node(Root root);

  // Recursive: a transaction holds it while its body calls back into the store.
  std::recursive_mutex mutex_;
  Node roots_[4];
};

}  // namespace platform::registry
