// `zozed reg import|export|query`: the settings registry from the command line.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "platform/winnls.h"
#include "platform/winreg.h"
#include "suite/cli/commands.h"
#include "suite/cli/reg_query_text.h"

namespace suite::cli {
namespace {

using platform::registry::Root;

[[noreturn]] void fail(const std::string& message, int code = 1) {
  std::cerr << "zozed reg: " << message << "\n";
  throw CLI::RuntimeError(code);
}

std::string read_all(const std::string& file) {
  if (file == "-") return std::string(std::istreambuf_iterator<char>(std::cin), {});
  std::ifstream in(file, std::ios::binary);
  if (!in) fail("cannot read \"" + file + "\"");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void import_file(const std::string& file) {
  const std::string bytes = read_all(file);
  const auto store = use_registry_store();
  std::string error;
  if (platform::registry::import_reg(*store, bytes, error) != ERROR_SUCCESS) fail(file + ": " + error);
}

void export_key(const std::string& key, bool utf16) {
  const auto store = use_registry_store();
  std::u16string text;
  const LONG rc = platform::registry::export_reg(*store, platform::from_utf8(key), text);
  if (rc == ERROR_BAD_PATHNAME) fail("\"" + key + "\" is not a key name (start it with HKCU, HKLM, HKCR or HKU)");
  if (rc == ERROR_FILE_NOT_FOUND) fail("the key \"" + key + "\" does not exist");
  if (rc != ERROR_SUCCESS) fail("cannot read the store (error " + std::to_string(rc) + ")");
  const std::string bytes =
      encode_reg(text, utf16 ? platform::registry::RegFileEncoding::Utf16Le : platform::registry::RegFileEncoding::Utf8);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void query_key(const std::string& key) {
  Root root;
  std::u16string path;
  if (!platform::registry::parse_key_name(platform::from_utf8(key), root, path))
    fail("\"" + key + "\" is not a key name (start it with HKCU, HKLM, HKCR or HKU)");
  use_registry_store();
  std::string text;
  const LONG rc = reg_query_text(root, path, text);
  if (rc == ERROR_FILE_NOT_FOUND) fail("the key \"" + key + "\" does not exist");
  if (rc != ERROR_SUCCESS) fail("cannot read the key (error " + std::to_string(rc) + ")");
  std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace

void add_reg_command(CLI::App& app) {
  auto* reg = app.add_subcommand("reg", "Read and change the settings registry");
  reg->require_subcommand(1);
  reg->footer(
      "Keys are written HKEY_CURRENT_USER\\Software\\X or with a short root: HKCU, HKLM, HKCR, HKU.\n"
      "The store is the file named by --store or ZOZED_STORE, else $XDG_DATA_HOME/zozed/registry.db.\n"
      "Examples:\n"
      "  zozed reg import settings.reg\n"
      "  zozed reg export HKCU\\Software > backup.reg\n"
      "  zozed --store /tmp/test.db reg query HKLM\\Software\\Classes");

  static std::string import_path;
  auto* import = reg->add_subcommand(
      "import",
      "Apply a .reg file (\"Windows Registry Editor Version 5.00\", UTF-16 with byte-order mark or\n"
      "UTF-8) to the store. All or nothing: on an error nothing is changed and the line is named.");
  import->add_option("FILE", import_path, ".reg file to apply, - for standard input")->required();
  import->callback([] { import_file(import_path); });

  static std::string export_name;
  static bool export_utf16 = false;
  auto* exp = reg->add_subcommand(
      "export",
      "Write a key and everything below it to standard output in .reg format (UTF-8 unless\n"
      "--utf16 is given); the whole store when no key is given.");
  exp->add_option("KEY", export_name, "Key to export, e.g. HKCU\\Software\\X");
  exp->add_flag("--utf16", export_utf16, "Write UTF-16LE with byte-order mark and CR LF, as the Windows editor does");
  exp->callback([] { export_key(export_name, export_utf16); });

  static std::string query_name;
  auto* query = reg->add_subcommand("query", "Show a key's values (name, type, data) and its subkeys");
  query->add_option("KEY", query_name, "Key to show, e.g. HKCU\\Software\\X")->required();
  query->callback([] { query_key(query_name); });
}

}  // namespace suite::cli
