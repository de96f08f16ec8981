// DllRegisterServer and DllUnregisterServer against a registry of the test's own, compared key
// for key and value for value with the expected .reg exports.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/winnls.h"
#include "tests/zozed/module_fixture.h"

namespace {

std::string read_file(const std::string& name) {
  std::ifstream in(std::string(ZOZED_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void replace_all(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// A key or value a machine holds before the module comes and after it goes.
void prepare(std::string_view reg) {
  std::string error;
  ASSERT_EQ(platform::registry::import_reg(*platform::registry::current_store(),
                                           "Windows Registry Editor Version 5.00\n\n" + std::string(reg), error),
            ERROR_SUCCESS)
      << error;
}

class Registration : public zozed_test::ModuleTest {
 protected:
  // The whole store as .reg text, the module's path and folder written as %MODULE% and
  // %MODULE_DIR% (escaped as the export escapes backslashes).
  std::string exported() {
    std::u16string text;
    EXPECT_EQ(platform::registry::export_reg(*platform::registry::current_store(), u"", text), ERROR_SUCCESS);
    std::string out = platform::to_utf8(text);
    std::string path = platform::to_utf8(path_);
    std::string folder = path.substr(0, path.rfind('\\'));
    replace_all(path, "\\", "\\\\");
    replace_all(folder, "\\", "\\\\");
    replace_all(out, path, "%MODULE%");
    replace_all(out, folder, "%MODULE_DIR%");
    return out;
  }
};

TEST_F(Registration, WritesExactlyTheClassKeysCatalogueEntriesAndTypeLibraries) {
  ASSERT_EQ(register_module(), S_OK);
  EXPECT_EQ(exported(), read_file("expected_registration.reg"));
}

TEST_F(Registration, UnregistrationRemovesAllButSharedKeysAndLeavesUnrelatedOnesAlone) {
  prepare(
      "[HKEY_CLASSES_ROOT\\CLSID]\n\"Unrelated\"=\"stays\"\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{00000000-1111-2222-3333-444444444444}]\n@=\"Someone Else\"\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quarn\\Tessagram7]\n\"Unrelated\"=dword:00000007\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quarn\\Tessagram7\\Generic\\Std\\Client\\TSGShare\\{OTHER}]\n\"Name\"=dword:00000001\n");
  ASSERT_EQ(register_module(), S_OK);
  ASSERT_EQ(unregister_module(), S_OK);
  EXPECT_EQ(exported(), read_file("expected_after_unregistration.reg"));
}

TEST_F(Registration, RegisteringAgainReplacesStaleClassKeysAndCatalogueEntries) {
  ASSERT_EQ(register_module(), S_OK);
  const std::string first = exported();
  prepare(
      "[HKEY_CLASSES_ROOT\\CLSID\\{126239D4-FA95-4566-A14E-2A111932D54A}\\Stale]\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quarn\\Tessagram7\\Generic\\Std\\Services\\"
      "{30355CD8-0A54-4ce7-838E-BF048256AF96}]\n\"Priority\"=dword:00000001\n\"Old\"=\"x\"\n");
  ASSERT_EQ(register_module(), S_OK);
  EXPECT_EQ(exported(), first);
}

}  // namespace
