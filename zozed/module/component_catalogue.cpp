#include "zozed/module/component_catalogue.h"

#include <algorithm>
#include <utility>

#include "zozed/module/intro_sort.h"

namespace zozed {

void ComponentCatalogue::merge(ComponentRecord record) {
  const auto existing = std::find_if(records_.begin(), records_.end(),
                                     [&](const ComponentRecord& r) { return r.key_name == record.key_name; });
  if (existing == records_.end()) {
    records_.push_back(std::move(record));
  } else if (record.name_id != 0) {
    *existing = std::move(record);
  } else {
    records_.erase(existing);
  }
}

void ComponentCatalogue::sort_by_priority() {
  intro_sort(records_.begin(), records_.end(),
             [](const ComponentRecord& a, const ComponentRecord& b) { return a.priority < b.priority; });
}

ComponentRecord* ComponentCatalogue::find(std::u16string_view key) noexcept {
  for (auto& r : records_)
    if (r.key_name == key) return &r;
  return nullptr;
}

const ComponentRecord* ComponentCatalogue::find(std::u16string_view key) const noexcept {
  return const_cast<ComponentCatalogue*>(this)->find(key);
}

}  // namespace zozed
