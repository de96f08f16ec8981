#include "platform/src/registry/memory_store.h"

#include <algorithm>

namespace platform::registry {
namespace {

// Calls `f` with each backslash-separated name of a normalised path.
template <class F>
bool for_each_name(std::u16string_view path, F&& f) {
  while (!path.empty()) {
    const std::size_t cut = path.find(u'\\');
    const std::u16string_view name = path.substr(0, cut);
    if (!f(name)) return false;
    if (cut == std::u16string_view::npos) break;
    path.remove_prefix(cut + 1);
  }
  return true;
}

std::u16string_view parent_of(std::u16string_view path, std::u16string_view& leaf) {
  const std::size_t cut = path.rfind(u'\\');
  if (cut == std::u16string_view::npos) {
    leaf = path;
    return {};
  }
  leaf = path.substr(cut + 1);
  return path.substr(0, cut);
}

auto find_value(std::vector<Value>& values, std::u16string_view name) {
  return std::find_if(values.begin(), values.end(), [&](const Value& v) { return same_name(v.name, name); });
}

}  // namespace

MemoryStore::Node& MemoryStore::root_node(Root root) { return roots_[static_cast<int>(root)]; }

MemoryStore::Node* MemoryStore::find(Root root, std::u16string_view path) {
  Node* node = &root_node(root);
  const bool found = for_each_name(path, [&](std::u16string_view name) {
    const auto it = node->children.find(std::u16string(name));
    if (it == node->children.end()) return false;
    node = it->second.get();
    return true;
  });
  return found ? node : nullptr;
}

LONG MemoryStore::key_exists(Root root, std::u16string_view path) {
  std::lock_guard lock(mutex_);
  return find(root, path) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG MemoryStore::create_key(Root root, std::u16string_view path, bool& created) {
  std::lock_guard lock(mutex_);
  created = false;
  Node* node = &root_node(root);
  for_each_name(path, [&](std::u16string_view name) {
    auto [it, inserted] = node->children.try_emplace(std::u16string(name));
    if (inserted) {
      it->second = std::make_unique<Node>();
      it->second->name = name;
    }
    created = inserted;
    node = it->second.get();
    return true;
  });
  return ERROR_SUCCESS;
}

LONG MemoryStore::delete_key(Root root, std::u16string_view path) {
  std::lock_guard lock(mutex_);
  if (path.empty()) return ERROR_ACCESS_DENIED;
  std::u16string_view leaf;
  Node* parent = find(root, parent_of(path, leaf));
  if (!parent) return ERROR_FILE_NOT_FOUND;
  const auto it = parent->children.find(std::u16string(leaf));
  if (it == parent->children.end()) return ERROR_FILE_NOT_FOUND;
  if (!it->second->children.empty()) return ERROR_ACCESS_DENIED;
  parent->children.erase(it);
  return ERROR_SUCCESS;
}

LONG MemoryStore::enum_subkey(Root root, std::u16string_view path, DWORD index, std::u16string& name) {
  std::lock_guard lock(mutex_);
  Node* node = find(root, path);
  if (!node) return ERROR_FILE_NOT_FOUND;
  if (index >= node->children.size()) return ERROR_NO_MORE_ITEMS;
  name = std::next(node->children.begin(), index)->second->name;
  return ERROR_SUCCESS;
}

LONG MemoryStore::query_value(Root root, std::u16string_view path, std::u16string_view name, Value& out) {
  std::lock_guard lock(mutex_);
  Node* node = find(root, path);
  if (!node) return ERROR_FILE_NOT_FOUND;
  const auto it = find_value(node->values, name);
  if (it == node->values.end()) return ERROR_FILE_NOT_FOUND;
  out = *it;
  return ERROR_SUCCESS;
}

LONG MemoryStore::enum_value(Root root, std::u16string_view path, DWORD index, Value& out) {
  std::lock_guard lock(mutex_);
  Node* node = find(root, path);
  if (!node) return ERROR_FILE_NOT_FOUND;
  if (index >= node->values.size()) return ERROR_NO_MORE_ITEMS;
  out = node->values[index];
  return ERROR_SUCCESS;
}

LONG MemoryStore::set_value(Root root, std::u16string_view path, std::u16string_view name, DWORD type,
                            std::span<const BYTE> data) {
  std::lock_guard lock(mutex_);
  Node* node = find(root, path);
  if (!node) return ERROR_FILE_NOT_FOUND;
  auto it = find_value(node->values, name);
  if (it == node->values.end()) {
    node->values.push_back(Value{std::u16string(name), type, {}});
    it = std::prev(node->values.end());
  }
  // An existing value keeps the case of its name, as Windows keeps it.
  it->type = type;
  it->data.assign(data.begin(), data.end());
  return ERROR_SUCCESS;
}

LONG MemoryStore::delete_value(Root root, std::u16string_view path, std::u16string_view name) {
  std::lock_guard lock(mutex_);
  Node* node = find(root, path);
  if (!node) return ERROR_FILE_NOT_FOUND;
  const auto it = find_value(node->values, name);
  if (it == node->values.end()) return ERROR_FILE_NOT_FOUND;
  node->values.erase(it);
  return ERROR_SUCCESS;
}

LONG MemoryStore::key_info(Root root, std::u16string_view path, KeyInfo& out) {
  std::lock_guard lock(mutex_);
  Node* node = find(root, path);
  if (!node) return ERROR_FILE_NOT_FOUND;
  KeyInfo info;
  info.subkeys = static_cast<DWORD>(node->children.size());
  for (const auto& [name, child] : node->children)
    info.max_subkey_length = std::max(info.max_subkey_length, static_cast<DWORD>(child->name.size()));
  info.values = static_cast<DWORD>(node->values.size());
  for (const Value& v : node->values) {
    info.max_value_name_length = std::max(info.max_value_name_length, static_cast<DWORD>(v.name.size()));
    info.max_value_size = std::max(info.max_value_size, static_cast<DWORD>(v.data.size()));
  }
  out = info;
  return ERROR_SUCCESS;
}

std::unique_ptr<MemoryStore::Node> MemoryStore::Node::clone() const {
  auto copy = std::make_unique<Node>();
  copy->name = name;
  copy->values = values;
  for (const auto& [key, child] : children) copy->children.emplace(key, child->clone());
  return copy;
}

LONG MemoryStore::transact(const std::function<LONG()>& body) {
  std::lock_guard lock(mutex_);
  std::unique_ptr<Node> saved[4];
  for (int i = 0; i < 4; ++i) saved[i] = roots_[i].clone();
  const auto restore = [&] {
    for (int i = 0; i < 4; ++i) roots_[i] = std::move(*saved[i]);
  };
  LONG rc;
  try {
    rc = body();
  } catch (...) {
    restore();
    throw;
  }
  if (rc != ERROR_SUCCESS) restore();
  return rc;
}

std::shared_ptr<RegistryStore> make_memory_store() { return std::make_shared<MemoryStore>(); }

}  // namespace platform::registry
