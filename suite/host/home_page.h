// The suite's home page as the host builds it: the `Home Page` catalogue over the home page
// roots, each entry with its display name, glyph and, when its sub-manager names another
// catalogue key, the entries of that catalogue (what the entry leads to).
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

namespace suite {

struct HomeEntry {
  std::u16string key;
  std::u16string name;       // host string of `Name`, or the key when it has none
  LONG priority = 0x3FFFFFFF;
  LONG glyph_number = 0;
  std::u16string glyph_entry;
  std::u16string tooltip;
  std::u16string activity_pane;
  std::u16string toolbar;
  std::u16string sub_manager;
  std::vector<HomeEntry> leads_to;  // entries of the catalogue the sub-manager names
};

// The Std, StdPlus and Pro editions' home page roots, in that order.
std::vector<std::u16string> default_home_page_roots();

// Reads catalogue `name` (e.g. u"Home Page") over `roots`: an entry of a later root replaces one
// of the same key; entries in ascending priority, equal priorities in the order read.
std::vector<HomeEntry> read_home_page(const std::vector<std::u16string>& roots, std::u16string_view name = u"Home Page");

}  // namespace suite
