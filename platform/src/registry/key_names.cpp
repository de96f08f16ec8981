// Keys as people write them: a root's full or short name, then the path below it.
#include "platform/src/registry/registry_store.h"
#include "platform/src/registry/name_compare.h"

namespace platform::registry {
namespace {

struct RootName {
  Root root;
  std::u16string_view full;
  std::u16string_view brief;
};

constexpr RootName kRoots[] = {
    {Root::ClassesRoot, u"HKEY_CLASSES_ROOT", u"HKCR"},
    {Root::CurrentUser, u"HKEY_CURRENT_USER", u"HKCU"},
    {Root::LocalMachine, u"HKEY_LOCAL_MACHINE", u"HKLM"},
    {Root::Users, u"HKEY_USERS", u"HKU"},
};

}  // namespace

bool parse_key_name(std::u16string_view text, Root& root, std::u16string& path) {
  const std::size_t cut = text.find(u'\\');
  const std::u16string_view first = text.substr(0, cut);
  std::u16string_view rest = cut == std::u16string_view::npos ? std::u16string_view() : text.substr(cut + 1);
  while (!rest.empty() && rest.back() == u'\\') rest.remove_suffix(1);
  if (!rest.empty() && (rest.front() == u'\\' || rest.find(u"\\\\") != std::u16string_view::npos)) return false;
  for (const RootName& r : kRoots) {
    if (same_name(first, r.full) || same_name(first, r.brief)) {
      root = r.root;
      path = rest;
      return true;
    }
  }
  return false;
}

std::u16string key_name(Root root, std::u16string_view path) {
  std::u16string name(kRoots[static_cast<int>(root)].full);
  if (!path.empty()) {
    name += u'\\';
    name += path;
  }
  return name;
}

}  // namespace platform::registry
