// Catalogue entries seeded in a test's own registry, and the records read back as text.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/combaseapi.h"
#include "platform/winnls.h"
#include "tests/zozed/registry_values.h"
#include "zozed/module/catalogue_reader.h"

namespace catalogue_test {

using zozed_test::dword;
using zozed_test::RegValue;
using zozed_test::sz;

// Writes HKLM\<catalogue>\<key> with `values`.
inline void seed(const std::u16string& catalogue, const std::u16string& key,
                 std::vector<std::pair<std::u16string, RegValue>> values) {
  zozed_test::put_values(HKEY_LOCAL_MACHINE, catalogue + u"\\" + key, std::move(values));
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

inline std::vector<std::u16string> keys_of(const zozed::ComponentCatalogue& catalogue) {
  std::vector<std::u16string> keys;
  for (const auto& r : catalogue) keys.push_back(r.key_name);
  return keys;
}

}  // namespace catalogue_test
