// The home page as the suite builds it: entries merged over the roots by key, ordered by
// priority, and a sub-manager naming a catalogue opening that catalogue's entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/support/reg_key.h"
#include "platform/winreg.h"
#include "suite/host/home_page.h"

namespace {

struct Value {
  const char16_t* name;
  DWORD number;
  const char16_t* text;  // a string value when set
};

void write_entry(const std::u16string& path, std::initializer_list<Value> values) {
  platform::RegKey key;
  ASSERT_EQ(key.create(HKEY_LOCAL_MACHINE, path), ERROR_SUCCESS);
  for (const auto& v : values) {
    if (v.text)
      ASSERT_EQ(key.set_string(v.name, v.text), ERROR_SUCCESS);
    else
      ASSERT_EQ(key.set_dword(v.name, v.number), ERROR_SUCCESS);
  }
}

std::vector<std::u16string> keys(const std::vector<suite::HomeEntry>& entries) {
  std::vector<std::u16string> out;
  for (const auto& e : entries) out.push_back(e.key);
  return out;
}

TEST(HomePage, MergesRootsByKeyOrdersByPriorityAndFollowsNamedCatalogues) {
  platform::registry::ScopedStore store(platform::registry::make_memory_store());
  write_entry(u"SOFTWARE\\A\\Home Page\\{1}", {{u"Name", 7019, nullptr}, {u"Priority", 30, nullptr}});
  write_entry(u"SOFTWARE\\A\\Home Page\\{2}", {{u"Priority", 20, nullptr}, {u"SubManager", 0, u"More"}});
  write_entry(u"SOFTWARE\\A\\Home Page\\{3}", {{u"Priority", 20, nullptr}});
  // The later root redefines {1} in place and adds {4} without a priority (last).
  write_entry(u"SOFTWARE\\B\\Home Page\\{1}", {{u"Priority", 5, nullptr}});
  write_entry(u"SOFTWARE\\B\\Home Page\\{4}", {{u"Name", 99999, nullptr}});
  write_entry(u"SOFTWARE\\B\\More\\{5}", {{u"Name", 62228, nullptr}, {u"Activity Pane", 0, u"{5}"}});
  // A catalogue that names itself is followed one level only.
  write_entry(u"SOFTWARE\\B\\More\\{6}", {{u"SubManager", 0, u"More"}});

  const auto entries = suite::read_home_page({u"SOFTWARE\\A", u"SOFTWARE\\Missing", u"SOFTWARE\\B"});
  EXPECT_EQ(keys(entries), (std::vector<std::u16string>{u"{1}", u"{2}", u"{3}", u"{4}"}));
  EXPECT_EQ(entries[0].name, u"{1}");  // the redefinition names no text
  EXPECT_EQ(entries[3].name, u"{4}");  // a number the host has no text for
  ASSERT_EQ(entries[1].leads_to.size(), 2u);
  EXPECT_EQ(entries[1].leads_to[0].name, u"Share by E-mail");
  EXPECT_EQ(entries[1].leads_to[0].activity_pane, u"{5}");
  EXPECT_TRUE(entries[1].leads_to[1].leads_to.empty());
  EXPECT_TRUE(entries[2].leads_to.empty());
}

}  // namespace
