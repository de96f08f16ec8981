#include "suite/host/home_page.h"

#include <algorithm>

#include "platform/support/reg_key.h"
#include "platform/winreg.h"
#include "suite/host/host_strings.h"

namespace suite {
namespace {

std::vector<std::u16string> subkeys(const platform::RegKey& key) {
  std::vector<std::u16string> names;
  for (DWORD index = 0;; ++index) {
    WCHAR name[256];
    DWORD length = 256;
    if (RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

std::u16string host_text(const platform::RegKey& key, std::u16string_view value) {
  DWORD id = 0;
  if (key.get_dword(value, id) != ERROR_SUCCESS) return {};
  const auto text = find_host_string(static_cast<LONG>(id));
  return text ? std::u16string(*text) : std::u16string();
}

HomeEntry read_entry(const platform::RegKey& key, std::u16string name) {
  HomeEntry entry;
  entry.key = std::move(name);
  entry.name = host_text(key, u"Name");
  if (entry.name.empty()) entry.name = entry.key;
  DWORD number = 0;
  if (key.get_dword(u"Priority", number) == ERROR_SUCCESS) entry.priority = static_cast<LONG>(number);
  if (key.get_dword(u"Glyph Number", number) == ERROR_SUCCESS) entry.glyph_number = static_cast<LONG>(number);
  (void)key.get_string(u"Glyph Entry", entry.glyph_entry);
  entry.tooltip = host_text(key, u"ToolTip");
  (void)key.get_string(u"Activity Pane", entry.activity_pane);
  (void)key.get_string(u"Toolbar", entry.toolbar);
  (void)key.get_string(u"SubManager", entry.sub_manager);
  return entry;
}

std::vector<HomeEntry> read_catalogue(const std::vector<std::u16string>& roots, std::u16string_view name, int depth) {
  std::vector<HomeEntry> entries;
  for (const auto& root : roots) {
    platform::RegKey catalogue;
    if (catalogue.open(HKEY_LOCAL_MACHINE, root + u"\\" + std::u16string(name)) != ERROR_SUCCESS) continue;
    for (auto& key_name : subkeys(catalogue)) {
      platform::RegKey key;
      if (key.open(catalogue.get(), key_name) != ERROR_SUCCESS) continue;
      HomeEntry entry = read_entry(key, key_name);
      auto same = std::find_if(entries.begin(), entries.end(), [&](const HomeEntry& e) { return e.key == entry.key; });
      if (same != entries.end())
        *same = std::move(entry);
      else
        entries.push_back(std::move(entry));
    }
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const HomeEntry& a, const HomeEntry& b) { return a.priority < b.priority; });
  // A sub-manager that is not a class id names the catalogue the entry opens; one level is enough
  // for the home page, and it keeps a catalogue naming itself from looping.
  if (depth == 0) {
    for (auto& entry : entries) {
      if (!entry.sub_manager.empty() && entry.sub_manager.front() != u'{')
        entry.leads_to = read_catalogue(roots, entry.sub_manager, depth + 1);
    }
  }
  return entries;
}

}  // namespace

std::vector<std::u16string> default_home_page_roots() {
  return {u"SOFTWARE\\Quarn\\Tessagram7\\QuarnTessagram\\Std\\Client",
          u"SOFTWARE\\Quarn\\Tessagram7\\QuarnTessagram\\StdPlus\\Client",
          u"SOFTWARE\\Quarn\\Tessagram7\\QuarnTessagram\\Pro\\Client"};
}

std::vector<HomeEntry> read_home_page(const std::vector<std::u16string>& roots, std::u16string_view name) {
  return read_catalogue(roots, name, 0);
}

}  // namespace suite
