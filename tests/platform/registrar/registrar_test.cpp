#include <gtest/gtest.h>

#include <string>

#include "platform/registrar.h"
#include "platform/winnls.h"
#include "platform/winreg.h"
#include "tests/platform/registry/registry_test_support.h"

namespace {

using platform::RegistrarMode;

// The store's content below `key` as .reg text, header stripped; "" when there is no such key.
std::string dump_of(const char16_t* key) {
  std::u16string text;
  if (platform::registry::export_reg(*platform::registry::current_store(), key, text) != ERROR_SUCCESS) return "";
  return platform::to_utf8(text.substr(text.find(u"\n\n") + 2));
}

// Below the keys these tests write.
std::string dump() {
  return dump_of(u"HKEY_CLASSES_ROOT\\T") + dump_of(u"HKEY_CURRENT_USER\\T") + dump_of(u"HKEY_LOCAL_MACHINE\\T");
}

void prepare(std::string_view reg) {
  std::string error;
  const std::string bytes = "Windows Registry Editor Version 5.00\n\n" + std::string(reg);
  ASSERT_EQ(platform::registry::import_reg(*platform::registry::current_store(), bytes, error), ERROR_SUCCESS)
      << error;
}

struct Case {
  int line;
  const char* before;  // .reg text applied first
  const char16_t* script;
  RegistrarMode mode;
  HRESULT expected;
  const char* after;  // dump() afterwards
};

constexpr auto kReg = RegistrarMode::Register;
constexpr auto kUnreg = RegistrarMode::Unregister;

const Case kCases[] = {
    {__LINE__, "", u"HKCU { T = s 'top' { val A = s 'it''s' val B = d '10' val C = d '0x1F' } }", kReg, S_OK,
     "[HKEY_CURRENT_USER\\T]\n@=\"top\"\n\"A\"=\"it's\"\n\"B\"=dword:0000000a\n\"C\"=dword:0000001f\n\n"},
    {__LINE__, "", u"HKEY_LOCAL_MACHINE { T { 'Two Words' = d '4294967295' } }", kReg, S_OK,
     "[HKEY_LOCAL_MACHINE\\T]\n\n[HKEY_LOCAL_MACHINE\\T\\Two Words]\n@=dword:ffffffff\n\n"},
    {__LINE__, "", u"hkcr { T { p = s '%MODULE%' { val x = s '100%%' } } }", kReg, S_OK,
     "[HKEY_CLASSES_ROOT\\T]\n\n[HKEY_CLASSES_ROOT\\T\\p]\n@=\"Z:\\\\m's.so\"\n\"x\"=\"100%\"\n\n"},
    // A plain key keeps what it held; ForceRemove starts it afresh.
    {__LINE__, "[HKEY_CURRENT_USER\\T\\K\\Old]\n\"v\"=\"1\"\n", u"HKCU { T { K { New } } }", kReg, S_OK,
     "[HKEY_CURRENT_USER\\T]\n\n[HKEY_CURRENT_USER\\T\\K]\n\n[HKEY_CURRENT_USER\\T\\K\\New]\n\n"
     "[HKEY_CURRENT_USER\\T\\K\\Old]\n\"v\"=\"1\"\n\n"},
    {__LINE__, "[HKEY_CURRENT_USER\\T\\K\\Old]\n\"v\"=\"1\"\n", u"HKCU { T { ForceRemove K { New } } }", kReg, S_OK,
     "[HKEY_CURRENT_USER\\T]\n\n[HKEY_CURRENT_USER\\T\\K]\n\n[HKEY_CURRENT_USER\\T\\K\\New]\n\n"},
    {__LINE__, "[HKEY_CURRENT_USER\\T\\K\\Old]\n", u"HKCU { T { Delete K NoRemove J } }", kReg, S_OK,
     "[HKEY_CURRENT_USER\\T]\n\n[HKEY_CURRENT_USER\\T\\J]\n\n"},
    // Removal: NoRemove keys stay with what the script does not name; named values go.
    {__LINE__, "[HKEY_CURRENT_USER\\T]\n@=\"d\"\n\"A\"=\"1\"\n\"Other\"=\"2\"\n[HKEY_CURRENT_USER\\T\\K\\Sub]\n"
               "[HKEY_CURRENT_USER\\T\\Unrelated]\n",
     u"HKCU { NoRemove T = s 'd' { val A = s '1' ForceRemove K K2 } }", kUnreg, S_OK,
     "[HKEY_CURRENT_USER\\T]\n@=\"d\"\n\"Other\"=\"2\"\n\n[HKEY_CURRENT_USER\\T\\Unrelated]\n\n"},
    // A plain key goes with its subtree, whatever its body names as NoRemove.
    {__LINE__, "[HKEY_CURRENT_USER\\T\\K\\Keep]\n", u"HKCU { NoRemove T { K { NoRemove Keep } } }", kUnreg, S_OK,
     "[HKEY_CURRENT_USER\\T]\n\n"},
    {__LINE__, "[HKEY_CURRENT_USER\\T\\D]\n", u"HKCU { NoRemove T { Delete D } }", kUnreg, S_OK,
     "[HKEY_CURRENT_USER\\T]\n\n[HKEY_CURRENT_USER\\T\\D]\n\n"},
    {__LINE__, "", u"HKCU { noremove T { K } NOREMOVE Missing { X } }", kUnreg, S_OK, ""},
    // Syntax errors and bad replacements change nothing.
    {__LINE__, "", u"HKCU { T = s 'a' } HKXX { T }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T = s 'unterminated }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T { val A = s 'x' }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T = x 'a' }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T = s unquoted }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T { val A = d '12z' } }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T { val A = d '4294967296' } }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T { val A d '1' } }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { val A = s 'root value' }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T = s '%UNKNOWN%' }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T = s '50%' }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { NoRemove }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T } }", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU T", kReg, DISP_E_EXCEPTION, ""},
    {__LINE__, "", u"HKCU { T { val A = d '' } }", kUnreg, DISP_E_EXCEPTION, ""},
};

TEST(Registrar, RunsScriptsAsTheSystemRegistrarDoes) {
  for (const auto& c : kCases) {
    platform::registry::ScopedStore store;
    prepare(c.before);
    const HRESULT hr = platform::run_registrar_script(c.script, {{u"module", u"Z:\\m's.so"}}, c.mode);
    EXPECT_EQ(hr, c.expected) << "case at line " << c.line;
    EXPECT_EQ(dump(), c.after) << "case at line " << c.line;
  }
}

TEST(Registrar, RemovalKeepsSystemKeysBelowARootEvenWithoutNoRemove) {
  platform::registry::ScopedStore store;
  prepare("[HKEY_CLASSES_ROOT\\CLSID\\{1}]\n[HKEY_CLASSES_ROOT\\CLSID\\{2}]\n[HKEY_CLASSES_ROOT\\Mine]\n");
  ASSERT_EQ(platform::run_registrar_script(u"HKCR { CLSID { {1} } Mine }", {}, RegistrarMode::Unregister), S_OK);
  EXPECT_EQ(dump_of(u"HKEY_CLASSES_ROOT"),
            "[HKEY_CLASSES_ROOT]\n\n[HKEY_CLASSES_ROOT\\CLSID]\n\n[HKEY_CLASSES_ROOT\\CLSID\\{2}]\n\n");
}

TEST(Registrar, ARegistryFailureStopsTheRunWithItsError) {
  platform::registry::ScopedStore store;
  // An empty path component is no key name.
  EXPECT_EQ(platform::run_registrar_script(u"HKCU { T { 'a\\\\b' } } HKCU { After }", {}, RegistrarMode::Register),
            HRESULT_FROM_WIN32(ERROR_BAD_PATHNAME));
  EXPECT_EQ(registry_test::open_rc(HKEY_CURRENT_USER, u"After"), ERROR_FILE_NOT_FOUND);
}

}  // namespace
