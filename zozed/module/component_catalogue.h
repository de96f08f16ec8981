// ComponentCatalogue: the ordered list of catalogue entries a sub-manager serves, merged over
// several registry roots by key name and kept in Priority order.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "zozed/module/component_record.h"

namespace zozed {

class ComponentCatalogue {
 public:
  // A later root's entry with the same key name (case-sensitive) replaces the earlier one in
  // place when it names a Name, and removes it when it does not; a new key name is appended.
  void merge(ComponentRecord record);
  // Ascending signed Priority; lists of at most 32 keep equal priorities in their order.
  void sort_by_priority();
  void clear() noexcept { records_.clear(); }

  std::size_t size() const noexcept { return records_.size(); }
  bool empty() const noexcept { return records_.empty(); }
  ComponentRecord& operator[](std::size_t index) { return records_[index]; }
  const ComponentRecord& operator[](std::size_t index) const { return records_[index]; }
  // The entry whose key name equals `key` exactly, or null.
  ComponentRecord* find(std::u16string_view key) noexcept;
  const ComponentRecord* find(std::u16string_view key) const noexcept;

  auto begin() noexcept { return records_.begin(); }
  auto end() noexcept { return records_.end(); }
  auto begin() const noexcept { return records_.begin(); }
  auto end() const noexcept { return records_.end(); }

 private:
  std::vector<ComponentRecord> records_;
};

}  // namespace zozed
