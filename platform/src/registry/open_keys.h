// Registry handles: each names a root, a path below it and the access it was opened with.
#pragma once

#include <string>

#include "platform/src/registry/registry_store.h"

namespace platform::registry {

struct OpenKey {
  Root root = Root::ClassesRoot;
  std::u16string path;
  REGSAM access = 0;
  bool predefined = false;
};

// ERROR_INVALID_HANDLE for anything that is neither a predefined key nor an open handle.
LONG lookup_key(HKEY key, OpenKey& out);
HKEY add_handle(OpenKey key);
LONG close_handle(HKEY key);

// The rights a handle gets for `desired` (generic rights mapped onto key rights).
REGSAM granted_access(REGSAM desired) noexcept;

// Joins a caller's subkey onto a key's path; ERROR_BAD_PATHNAME for a leading or doubled
// backslash. A trailing backslash is ignored.
LONG join_path(const std::u16string& base, LPCWSTR subkey, std::u16string& out);

}  // namespace platform::registry
