#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/support/reg_key.h"
#include "platform/winnls.h"
#include "tests/zozed/module_fixture.h"
#include "zozed/module/class_ids.h"

namespace {

using zozed_test::ModuleTest;

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

class Registration : public ModuleTest {
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

  std::u16string value(HKEY root, std::u16string_view key, std::u16string_view name) {
    platform::RegKey k;
    std::u16string text;
    if (k.open(root, key) != ERROR_SUCCESS) return u"<no key>";
    if (k.get_string(name, text) != ERROR_SUCCESS) return u"<no value>";
    return text;
  }

  static constexpr const char* kUnrelated =
      "[HKEY_CLASSES_ROOT\\CLSID]\n\"Unrelated\"=\"stays\"\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{00000000-1111-2222-3333-444444444444}]\n@=\"Someone Else\"\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quarn\\Tessagram7]\n\"Unrelated\"=dword:00000007\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quarn\\Tessagram7\\Generic\\Std\\Client\\TSGShare\\{OTHER}]\n\"Name\"=dword:00000001\n";
};

TEST_F(Registration, WritesExactlyTheClassKeysCatalogueEntriesAndTypeLibraries) {
  ASSERT_EQ(register_module(), S_OK);
  EXPECT_EQ(exported(), read_file("expected_registration.reg"));
}

TEST_F(Registration, UnregistrationRemovesAllButSharedKeysAndLeavesUnrelatedOnesAlone) {
  prepare(kUnrelated);
  ASSERT_EQ(register_module(), S_OK);
  ASSERT_EQ(unregister_module(), S_OK);
  EXPECT_EQ(exported(), read_file("expected_after_unregistration.reg"));
}

TEST_F(Registration, SaveAsIsRoutedToTheSaveManagerWhoseScriptRunsLater) {
  ASSERT_EQ(register_module(), S_OK);
  const std::u16string commands = u"SOFTWARE\\Quarn\\Tessagram7\\Generic\\Std\\Client\\Commands\\";
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, commands + u"{F382D781-2B33-44a1-A674-5A40BAEEBE56}", u"SubManager"),
            u"{7870233D-CC32-4de4-9FD5-C455EFDDEEAD}");
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, commands + u"{F2BFE090-B34B-45d6-93EE-905255ECF886}", u"SubManager"),
            u"{30355CD8-0A54-4ce7-838E-BF048256AF96}");
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

TEST_F(Registration, TheClassKeysNameThisModuleAsTheirServer) {
  ASSERT_EQ(register_module(), S_OK);
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, u"CLSID\\{126239D4-FA95-4566-A14E-2A111932D54A}\\InprocServer32", u""), path_);
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, u"STGZozedAradizuzOdaru.STGShareByEmail\\CurVer", u""),
            u"STGZozedAradizuzOdaru.STGShareByEmail.1");
}

}  // namespace
