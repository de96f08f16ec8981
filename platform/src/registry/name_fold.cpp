#include "platform/src/registry/name_fold.h"

#include "platform/src/text/case_mapping.h"

namespace platform::registry {

std::vector<BYTE> fold_name(std::u16string_view name) {
  const char16_t* upper = text::case_tables().upper;
  std::vector<BYTE> key;
  key.reserve(name.size() * 2);
  for (const char16_t c : name) {
    const char16_t u = upper[c];
    key.push_back(static_cast<BYTE>(u >> 8));
    key.push_back(static_cast<BYTE>(u & 0xFF));
  }
  return key;
}

}  // namespace platform::registry
