// Applies a parsed registration script to the registry, in register or removal mode.
#include "platform/src/registrar/script_tree.h"
#include "platform/src/registry/name_compare.h"
#include "platform/winerror.h"

namespace platform {
namespace {

using registrar::KeyFlag;
using registrar::ScriptItem;
using registrar::ScriptValue;

// Keys directly below a root that removal never deletes, marked NoRemove or not.
bool never_deleted(std::u16string_view name) {
  static constexpr std::u16string_view kKeys[] = {u"AppID",    u"CLSID",    u"Component Categories",
                                                   u"FileType", u"Interface", u"Hardware",
                                                   u"Mime",     u"SAM",      u"SECURITY",
                                                   u"SYSTEM",   u"Software", u"TypeLib"};
  for (auto key : kKeys)
    if (registry::same_name(key, name)) return true;
  return false;
}

class OpenKey {
 public:
  OpenKey() = default;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* put() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

LONG set_value(HKEY key, const std::u16string& name, const ScriptValue& value) {
  if (value.type == REG_DWORD)
    return RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.number),
                          sizeof(DWORD));
  return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                        static_cast<DWORD>((value.text.size() + 1) * sizeof(WCHAR)));
}

LONG delete_tree(HKEY parent, const std::u16string& name) {
  const LONG rc = RegDeleteTreeW(parent, name.c_str());
  return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

LONG register_items(HKEY parent, const std::vector<ScriptItem>& items) {
  for (const auto& item : items) {
    LONG rc = ERROR_SUCCESS;
    if (item.is_value) {
      rc = set_value(parent, item.name, *item.value);
    } else if (item.flag == KeyFlag::Delete) {
      rc = delete_tree(parent, item.name);
    } else {
      if (item.flag == KeyFlag::ForceRemove) rc = delete_tree(parent, item.name);
      OpenKey key;
      if (rc == ERROR_SUCCESS)
        rc = RegCreateKeyExW(parent, item.name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
      if (rc == ERROR_SUCCESS && item.value) rc = set_value(key.get(), u"", *item.value);
      if (rc == ERROR_SUCCESS) rc = register_items(key.get(), item.items);
    }
    if (rc != ERROR_SUCCESS) return rc;
  }
  return ERROR_SUCCESS;
}

LONG unregister_items(HKEY parent, const std::vector<ScriptItem>& items, bool at_root) {
  for (const auto& item : items) {
    LONG rc = ERROR_SUCCESS;
    if (item.is_value) {
      rc = RegDeleteValueW(parent, item.name.c_str());
      if (rc == ERROR_FILE_NOT_FOUND) rc = ERROR_SUCCESS;
    } else if (item.flag == KeyFlag::Delete) {
      continue;
    } else if (item.flag == KeyFlag::NoRemove || (at_root && never_deleted(item.name))) {
      OpenKey key;
      rc = RegOpenKeyExW(parent, item.name.c_str(), 0, KEY_ALL_ACCESS, key.put());
      if (rc == ERROR_FILE_NOT_FOUND) continue;
      if (rc == ERROR_SUCCESS) rc = unregister_items(key.get(), item.items, false);
    } else {
      rc = delete_tree(parent, item.name);
    }
    if (rc != ERROR_SUCCESS) return rc;
  }
  return ERROR_SUCCESS;
}

}  // namespace

HRESULT run_registrar_script(std::u16string_view script, const RegistrarReplacements& replacements,
                             RegistrarMode mode) {
  std::vector<registrar::ScriptRoot> roots;
  if (!registrar::parse_script(script, replacements, roots)) return DISP_E_EXCEPTION;
  for (const auto& root : roots) {
    const LONG rc = mode == RegistrarMode::Register ? register_items(root.key, root.items)
                                                    : unregister_items(root.key, root.items, true);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
  }
  return S_OK;
}

}  // namespace platform
