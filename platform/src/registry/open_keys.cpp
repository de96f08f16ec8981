#include "platform/src/registry/open_keys.h"

#include <mutex>
#include <unordered_map>

namespace platform::registry {
namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<ULONG_PTR, OpenKey> keys;
  // Handles are never reused in a process's life, so a stale one cannot reach another key.
  ULONG_PTR next = 0x1000;
};

HandleTable& table() {
  static HandleTable t;
  return t;
}

bool predefined_root(HKEY key, Root& root) {
  if (key == HKEY_CLASSES_ROOT) root = Root::ClassesRoot;
  else if (key == HKEY_CURRENT_USER) root = Root::CurrentUser;
  else if (key == HKEY_LOCAL_MACHINE) root = Root::LocalMachine;
  else if (key == HKEY_USERS) root = Root::Users;
  else return false;
  return true;
}

}  // namespace

LONG lookup_key(HKEY key, OpenKey& out) {
  Root root;
  if (predefined_root(key, root)) {
    out = OpenKey{root, {}, KEY_ALL_ACCESS, true};
    return ERROR_SUCCESS;
  }
  auto& t = table();
  std::lock_guard lock(t.mutex);
  const auto it = t.keys.find(reinterpret_cast<ULONG_PTR>(key));
  if (it == t.keys.end()) return ERROR_INVALID_HANDLE;
  out = it->second;
  return ERROR_SUCCESS;
}

HKEY add_handle(OpenKey key) {
  auto& t = table();
  std::lock_guard lock(t.mutex);
  const ULONG_PTR value = t.next;
  t.next += 4;
  t.keys.emplace(value, std::move(key));
  return reinterpret_cast<HKEY>(value);
}

LONG close_handle(HKEY key) {
  Root root;
  if (predefined_root(key, root)) return ERROR_SUCCESS;
  auto& t = table();
  std::lock_guard lock(t.mutex);
  return t.keys.erase(reinterpret_cast<ULONG_PTR>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

REGSAM granted_access(REGSAM desired) noexcept {
  REGSAM access = desired & (STANDARD_RIGHTS_ALL | KEY_ALL_ACCESS);
  if (desired & GENERIC_READ) access |= KEY_READ;
  if (desired & GENERIC_WRITE) access |= KEY_WRITE;
  if (desired & GENERIC_EXECUTE) access |= KEY_EXECUTE;
  if (desired & (GENERIC_ALL | MAXIMUM_ALLOWED)) access |= KEY_ALL_ACCESS;
  return access;
}

LONG join_path(const std::u16string& base, LPCWSTR subkey, std::u16string& out) {
  std::u16string_view sub = subkey ? std::u16string_view(subkey) : std::u16string_view();
  while (!sub.empty() && sub.back() == u'\\') sub.remove_suffix(1);
  if (!sub.empty() && sub.front() == u'\\') return ERROR_BAD_PATHNAME;
  if (sub.find(u"\\\\") != std::u16string_view::npos) return ERROR_BAD_PATHNAME;
  out = base;
  if (!sub.empty()) {
    if (!out.empty()) out += u'\\';
    out += sub;
  }
  return ERROR_SUCCESS;
}

}  // namespace platform::registry
