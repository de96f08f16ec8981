#include <gtest/gtest.h>

#include <string>

#include "platform/src/registry/registry_store.h"
#include "platform/winnls.h"
#include "tests/platform/registry/registry_test_support.h"

using namespace registry_test;
using platform::registry::Root;

namespace {

class RegFile : public ::testing::TestWithParam<StoreKind> {
 protected:
  std::shared_ptr<platform::registry::RegistryStore> store_ = make_store(GetParam());

  void set(Root root, const std::u16string& path, const std::u16string& name, DWORD type, std::vector<BYTE> data) {
    bool created;
    ASSERT_EQ(store_->create_key(root, path, created), ERROR_SUCCESS);
    ASSERT_EQ(store_->set_value(root, path, name, type, data), ERROR_SUCCESS);
  }
  std::u16string exported(platform::registry::RegistryStore& store, std::u16string_view key = u"") {
    std::u16string text;
    EXPECT_EQ(platform::registry::export_reg(store, key, text), ERROR_SUCCESS);
    return text;
  }
  LONG import(platform::registry::RegistryStore& store, const std::string& bytes, std::string& error) {
    return platform::registry::import_reg(store, bytes, error);
  }
};

std::vector<BYTE> wide_bytes(std::u16string_view s, bool terminator = true) {
  const auto* p = reinterpret_cast<const BYTE*>(s.data());
  std::vector<BYTE> out(p, p + s.size() * 2);
  if (terminator) out.insert(out.end(), {0, 0});
  return out;
}

TEST_P(RegFile, ExportThenImportGivesTheSameExport) {
  set(Root::CurrentUser, u"Software\\Quarn", u"", REG_SZ, wide_bytes(u"default"));
  set(Root::CurrentUser, u"Software\\Quarn", u"Quote \"and\" back\\slash", REG_SZ, wide_bytes(u"C:\\Path \"x\""));
  set(Root::CurrentUser, u"Software\\Quarn", u"Caf\u00e9 \u4e2d", REG_SZ, wide_bytes(u"\u00e9t\u00e9 \U0001F600"));
  set(Root::CurrentUser, u"Software\\Quarn", u"Empty", REG_SZ, wide_bytes(u""));
  set(Root::CurrentUser, u"Software\\Quarn", u"NoTerminator", REG_SZ, wide_bytes(u"abc", false));
  set(Root::CurrentUser, u"Software\\Quarn", u"TwoLines", REG_SZ, wide_bytes(u"one\r\ntwo"));
  set(Root::CurrentUser, u"Software\\Quarn", u"Lone surrogate", REG_SZ, wide_bytes(u"a\xD800" "b"));
  set(Root::CurrentUser, u"Software\\Quarn", u"Odd", REG_SZ, {'a', 0, 'b'});
  set(Root::CurrentUser, u"Software\\Quarn", u"Count", REG_DWORD, {0x2a, 0, 0, 0x80});
  set(Root::CurrentUser, u"Software\\Quarn", u"ShortDword", REG_DWORD, {1, 2});
  set(Root::CurrentUser, u"Software\\Quarn", u"Big", REG_BINARY, std::vector<BYTE>(300, 0xAB));
  set(Root::CurrentUser, u"Software\\Quarn", u"NoBytes", REG_BINARY, {});
  set(Root::CurrentUser, u"Software\\Quarn", u"Expand", REG_EXPAND_SZ, wide_bytes(u"%TEMP%\\x"));
  set(Root::CurrentUser, u"Software\\Quarn", u"Multi", REG_MULTI_SZ, wide_bytes(std::u16string(u"a\0bc\0", 5)));
  set(Root::CurrentUser, u"Software\\Quarn", u"Q", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8});
  set(Root::CurrentUser, u"Software\\Quarn", u"None", REG_NONE, {9});
  set(Root::LocalMachine, u"Software\\Classes\\CLSID\\{X}\\InprocServer32", u"", REG_SZ, wide_bytes(u"/lib/x.so"));
  bool created;
  ASSERT_EQ(store_->create_key(Root::ClassesRoot, u"Empty\\Key", created), ERROR_SUCCESS);

  const std::u16string first = exported(*store_);
  for (const auto encoding : {platform::registry::RegFileEncoding::Utf8, platform::registry::RegFileEncoding::Utf16Le}) {
    const auto copy = make_store(GetParam());
    std::string error;
    ASSERT_EQ(import(*copy, platform::registry::encode_reg(first, encoding), error), ERROR_SUCCESS) << error;
    EXPECT_EQ(platform::to_utf8(exported(*copy)), platform::to_utf8(first));
    platform::registry::Value v;
    ASSERT_EQ(copy->query_value(Root::CurrentUser, u"Software\\Quarn", u"odd", v), ERROR_SUCCESS);
    EXPECT_EQ(v.data, (std::vector<BYTE>{'a', 0, 'b'}));
    EXPECT_EQ(v.type, REG_SZ);
  }
  // Strings that a quoted form would not give back exactly are written as hex(1).
  const std::string text = platform::to_utf8(first);
  EXPECT_NE(text.find("\"NoTerminator\"=hex(1):61,00,62,00,63,00\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"Quote \\\"and\\\" back\\\\slash\"=\"C:\\\\Path \\\"x\\\"\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"Count\"=dword:8000002a\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"Big\"=hex:ab,ab,"), std::string::npos) << text;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    EXPECT_LE(end - start, 80u) << "long hex data is wrapped: " << text.substr(start, end - start);
}

TEST_P(RegFile, ReadsWhatTheWindowsEditorWrites) {
  // UTF-16LE with a byte-order mark and CR LF line ends, comments and a continued hex line.
  const std::u16string text =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"; settings\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Quarn\\Options]\r\n"
      u"@=\"Caf\u00e9\"\r\n"
      u"\"Attachment size limit\"=dword:000003E8\r\n"
      u"\"Folder\"=hex(2):25,00,54,00,\\\r\n"
      u"  25,00,00,00\r\n"
      u"\"List\"=hex(7):61,00,00,00,00,00\r\n"
      u"\"Gone\"=-\r\n"
      u"\r\n"
      u"[-HKEY_CURRENT_USER\\Software\\Old]\r\n";
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  set(Root::CurrentUser, u"Software\\Quarn\\Options", u"gone", REG_SZ, wide_bytes(u"x"));
  set(Root::CurrentUser, u"Software\\Old\\Deep\\Deeper", u"v", REG_SZ, wide_bytes(u"x"));

  std::string error;
  ASSERT_EQ(import(*store_, bytes, error), ERROR_SUCCESS) << error;
  platform::registry::Value v;
  ASSERT_EQ(store_->query_value(Root::CurrentUser, u"Software\\Quarn\\Options", u"", v), ERROR_SUCCESS);
  EXPECT_EQ(v.data, wide_bytes(u"Caf\u00e9"));
  ASSERT_EQ(store_->query_value(Root::CurrentUser, u"Software\\Quarn\\Options", u"attachment size limit", v),
            ERROR_SUCCESS);
  EXPECT_EQ(v.type, REG_DWORD);
  EXPECT_EQ(v.data, (std::vector<BYTE>{0xE8, 0x03, 0, 0}));
  ASSERT_EQ(store_->query_value(Root::CurrentUser, u"Software\\Quarn\\Options", u"Folder", v), ERROR_SUCCESS);
  EXPECT_EQ(v.type, REG_EXPAND_SZ);
  EXPECT_EQ(v.data, wide_bytes(u"%T%"));
  ASSERT_EQ(store_->query_value(Root::CurrentUser, u"Software\\Quarn\\Options", u"List", v), ERROR_SUCCESS);
  EXPECT_EQ(v.type, REG_MULTI_SZ);
  EXPECT_EQ(store_->query_value(Root::CurrentUser, u"Software\\Quarn\\Options", u"Gone", v), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(store_->key_exists(Root::CurrentUser, u"Software\\Old"), ERROR_FILE_NOT_FOUND);

  // The same text in UTF-8 with a byte-order mark reads the same.
  const auto copy = make_store(GetParam());
  ASSERT_EQ(import(*copy, "\xEF\xBB\xBF" + platform::to_utf8(text), error), ERROR_SUCCESS) << error;
  EXPECT_EQ(exported(*copy, u"HKCU\\Software\\Quarn"), exported(*store_, u"HKCU\\Software\\Quarn"));
}

TEST_P(RegFile, MalformedFilesNameTheLineAndChangeNothing) {
  set(Root::CurrentUser, u"Software\\Before", u"v", REG_SZ, wide_bytes(u"unchanged"));
  const std::u16string before = exported(*store_);
  const std::string head = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Before]\n\"v\"=\"new\"\n"
                           "[HKEY_CURRENT_USER\\Software\\New]\n";  // lines 1-5: good, would change the store
  struct Row {
    int line;
    std::string bytes;
    std::string message;  // expected in the error
  };
  const Row rows[] = {
      {__LINE__, "REGEDIT4\n\n[HKEY_CURRENT_USER\\X]\n", "line 1: the file must start with"},
      {__LINE__, "", "line 1: the file must start with"},
      {__LINE__, head + "\"a\"=dword:123456789\n", "line 6: dword"},
      {__LINE__, head + "\"a\"=dword:12g4\n", "line 6: dword"},
      {__LINE__, head + "\"a\"=hex:01,2,zz\n", "line 6: hex data"},
      {__LINE__, head + "; fine\n\n\"a\"=hex:01,\\\n  02,\\\n  0x3\n", "line 8: hex data"},
      {__LINE__, head + "\"a\"=\"unterminated\n", "line 6: a quoted string has no closing quote"},
      {__LINE__, head + "\"a\"=\"bad \\q escape\"\n", "line 6: unknown escape \\q"},
      {__LINE__, head + "\"a\"=\"text\" trailing\n", "line 6: unexpected text"},
      {__LINE__, head + "\"a\"=word:1\n", "line 6: unknown data"},
      {__LINE__, head + "\"a\" \"b\"\n", "line 6: expected ="},
      {__LINE__, head + "a=\"b\"\n", "line 6: expected [key]"},
      {__LINE__, head + "[HKEY_NOWHERE\\X]\n", "line 6: \"HKEY_NOWHERE\\X\" is not a key name"},
      {__LINE__, head + "[HKEY_CURRENT_USER\\A\\\\B]\n", "line 6: "},
      {__LINE__, head + "[HKEY_CURRENT_USER\\X\n", "line 6: a key line must end with ]"},
      {__LINE__, head + "[-HKEY_CURRENT_USER]\n", "line 6: a root key cannot be deleted"},
      {__LINE__, head + "[-HKEY_CURRENT_USER\\Before]\n\"a\"=\"b\"\n", "line 7: a value must follow a [key] line"},
      {__LINE__, head + "\"a\"=hex(zz):00\n", "line 6: hex(type): needs"},
      {__LINE__, head + "\"caf\xe9\"=\"x\"\n", "line 6: not valid UTF-8"},
      {__LINE__, "\xFF\xFEW\0x", "UTF-16 text ends in the middle"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "line " << row.line);
    std::string error;
    EXPECT_EQ(import(*store_, row.bytes, error), ERROR_INVALID_DATA);
    EXPECT_NE(error.find(row.message), std::string::npos) << error;
    EXPECT_EQ(exported(*store_), before) << "the store changed";
  }
}

INSTANTIATE_TEST_SUITE_P(Stores, RegFile, ::testing::ValuesIn(kAllStores), store_kind_name);

TEST(RegKeyNames, RootsInFullAndShortForm) {
  struct Row { int line; std::u16string text; bool ok; Root root; std::u16string path; };
  const Row rows[] = {
      {__LINE__, u"HKEY_CURRENT_USER\\Software\\X", true, Root::CurrentUser, u"Software\\X"},
      {__LINE__, u"hkcu\\Software\\X\\", true, Root::CurrentUser, u"Software\\X"},
      {__LINE__, u"HKLM", true, Root::LocalMachine, u""},
      {__LINE__, u"HKCR\\CLSID", true, Root::ClassesRoot, u"CLSID"},
      {__LINE__, u"HKEY_USERS\\.DEFAULT", true, Root::Users, u".DEFAULT"},
      {__LINE__, u"HKCU\\\\Software", false, Root::CurrentUser, u""},
      {__LINE__, u"HKXX\\Software", false, Root::CurrentUser, u""},
      {__LINE__, u"Software\\X", false, Root::CurrentUser, u""},
  };
  for (const auto& row : rows) {
    Root root = Root::Users;
    std::u16string path = u"unchanged";
    EXPECT_EQ(platform::registry::parse_key_name(row.text, root, path), row.ok) << "line " << row.line;
    if (row.ok) {
      EXPECT_TRUE(root == row.root && path == row.path) << "line " << row.line;
    }
  }
  EXPECT_EQ(platform::registry::key_name(Root::LocalMachine, u"Software"), u"HKEY_LOCAL_MACHINE\\Software");
}

}  // namespace
