// Handles are multiples of 4 from 0x100 upwards and are never reused, so a stale handle fails
// instead of reaching another object.
#include "platform/src/handles/handle_table.h"

#include <mutex>
#include <unordered_map>

namespace platform::handles {
namespace {

struct Table {
  std::mutex mutex;
  std::unordered_map<UINT_PTR, std::shared_ptr<KernelObject>> objects;
  UINT_PTR next = 0x100;
};

Table& table() {
  static Table t;
  return t;
}

}  // namespace

HANDLE insert(std::shared_ptr<KernelObject> object) {
  auto& t = table();
  std::lock_guard lock(t.mutex);
  const UINT_PTR value = t.next;
  t.next += 4;
  t.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> find(HANDLE handle) {
  auto& t = table();
  std::lock_guard lock(t.mutex);
  const auto it = t.objects.find(reinterpret_cast<UINT_PTR>(handle));
  return it == t.objects.end() ? nullptr : it->second;
}

std::shared_ptr<KernelObject> take(HANDLE handle, bool (*accept)(const KernelObject&)) {
  std::shared_ptr<KernelObject> object;
  auto& t = table();
  {
    std::lock_guard lock(t.mutex);
    const auto it = t.objects.find(reinterpret_cast<UINT_PTR>(handle));
    if (it == t.objects.end() || !accept(*it->second)) return nullptr;
    object = std::move(it->second);
    t.objects.erase(it);
  }
  return object;  // destroyed by the caller, outside the lock
}

}  // namespace platform::handles
