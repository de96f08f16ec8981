// Seeding catalogue entries in a test's own in-memory registry, and reading them back.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "platform/combaseapi.h"
#include "platform/winnls.h"
#include "platform/winreg.h"
#include "zozed/module/catalogue_reader.h"

namespace catalogue_test {

inline std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

// One registry value with the type and bytes it is stored with.
struct RegValue {
  std::u16string name;
  DWORD type;
  std::vector<BYTE> data;
};

inline RegValue dword(std::u16string name, DWORD value) {
  std::vector<BYTE> data(sizeof value);
  std::memcpy(data.data(), &value, sizeof value);
  return {std::move(name), REG_DWORD, std::move(data)};
}

// Stored as Windows programs store strings: UTF-16 with its terminator.
inline RegValue sz(std::u16string name, const std::u16string& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return {std::move(name), REG_SZ, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(char16_t))};
}

inline RegValue raw(std::u16string name, DWORD type, std::vector<BYTE> data) {
  return {std::move(name), type, std::move(data)};
}

// Writes HKLM\<catalogue>\<key> with `values`.
inline void seed(const std::u16string& catalogue, const std::u16string& key, std::initializer_list<RegValue> values) {
  const std::u16string path = catalogue + u"\\" + key;
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS)
      << narrow(path);
  for (const RegValue& v : values)
    EXPECT_EQ(RegSetValueExW(h, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size())),
              ERROR_SUCCESS)
        << narrow(v.name);
  RegCloseKey(h);
}

// Every value-backed field of a record, by the name of the registry value it comes from.
inline std::map<std::string, std::string> fields_of(const zozed::ComponentRecord& r) {
  const auto text = [](const std::u16string& s) { return platform::to_utf8(s); };
  OLECHAR clsid[CHARS_IN_GUID] = {};
  (void)StringFromGUID2(r.sub_manager_clsid, clsid, CHARS_IN_GUID);
  return {
      {"Name", std::to_string(r.name_id)},
      {"ToolTip", std::to_string(r.tooltip_id)},
      {"File Category", std::to_string(r.file_category_id)},
      {"Image", std::to_string(r.image_id)},
      {"Priority", std::to_string(r.priority)},
      {"Glyph Number", std::to_string(r.glyph_number)},
      {"Type", text(r.type)},
      {"URL", text(r.url)},
      {"SubManager", text(r.sub_manager)},
      {"SubManager CLSID", text(clsid)},
      {"Activity Pane", text(r.activity_pane)},
      {"Toolbar", text(r.toolbar)},
      {"Category", text(r.category)},
      {"Server", text(r.server)},
      {"ComponentOptions", text(r.component_options)},
      {"IsActivityPaneStack", r.is_activity_pane_stack ? "true" : "false"},
      {"Glyph Entry", text(r.glyph_entry)},
      {"Cfg Dir Ref", text(r.cfg_dir_ref)},
  };
}

inline const std::map<std::string, std::string>& default_fields() {
  static const std::map<std::string, std::string> defaults = fields_of(zozed::ComponentRecord{});
  return defaults;
}

inline std::vector<std::u16string> keys_of(const zozed::ComponentCatalogue& catalogue) {
  std::vector<std::u16string> keys;
  for (const auto& r : catalogue) keys.push_back(r.key_name);
  return keys;
}

// Roots answered by index from a fixed list, then empty.
inline zozed::CatalogueRoots roots_of(std::vector<std::u16string> roots) {
  return [roots = std::move(roots)](int index) {
    return index < static_cast<int>(roots.size()) ? roots[static_cast<std::size_t>(index)] : std::u16string();
  };
}

}  // namespace catalogue_test
