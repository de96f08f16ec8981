// `zozed options email [--json] [--set "Name=Value"]...`: the per-user e-mail options as the
// e-mail panes keep them, shown and changed by their value names. A change writes the whole
// record, missing values with their defaults, the way the panes save it.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/fileapi.h"
#include "platform/shlobj.h"
#include "platform/winnls.h"
#include "platform/winreg.h"
#include "suite/cli/commands.h"
#include "suite/host/host_strings.h"

namespace suite::cli {
namespace {

constexpr char kEmailOptionsKey[] =
    "Software\\Quarn\\Tessagram7\\QuarnTessagram\\Client\\Options\\TSGShare\\EmailOptions";
constexpr DWORD kLocationCapacity = 2080;  // wide characters; a location must stay below it
constexpr LONG kSaveFolderString = 62602;

enum class Kind { Boolean, Number, Location };

struct OptionSpec {
  const char* name;
  Kind kind;
  DWORD fallback;  // Booleans: 1 Yes, 0 No
};

// In the order the record reads and writes them.
constexpr OptionSpec kOptions[] = {
    {"Warn about attachment size", Kind::Boolean, 1},
    {"Attachment size limit", Kind::Number, 1000},
    {"Save location", Kind::Location, 0},
    {"Save for later sending", Kind::Boolean, 0},
    {"Embed in HTML", Kind::Boolean, 1},
    {"Convert to JPEG", Kind::Boolean, 1},
    {"JPEG Optimization", Kind::Number, 0},
    {"Screen size", Kind::Number, 1},
    {"File size", Kind::Number, 50},
    {"Slide duration", Kind::Number, 5},
    {"Play associated sounds", Kind::Boolean, 1},
    {"Extend slide duration to sound length", Kind::Boolean, 1},
    {"Fade out background sound", Kind::Boolean, 1},
    {"Loop background sound", Kind::Boolean, 1},
};

struct OptionValue {
  bool stored = false;
  DWORD number = 0;  // Booleans and numbers
  std::u16string text;
};

[[noreturn]] void fail(const std::string& message, int code = 2) {
  std::cerr << "zozed options: " << message << "\n";
  throw CLI::RuntimeError(code);
}

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// My Pictures and the suite's sub-folder for mail, as the record's default names it.
std::u16string default_location() {
  WCHAR pictures[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, pictures)) || !pictures[0])
    return {};
  std::u16string location(pictures);
  if (location.back() != u'\\') location += u'\\';
  location += find_host_string(kSaveFolderString).value_or(u"For Email");
  return location;
}

// The same checks as the record's: a value of another type or size counts as not stored.
OptionValue read_value(HKEY key, const OptionSpec& spec) {
  OptionValue value;
  value.number = spec.fallback;
  DWORD type = 0;
  if (!key) {
    // Nothing stored yet.
  } else if (spec.kind == Kind::Boolean) {
    char buffer[260] = {};
    DWORD size = sizeof(buffer);
    if (RegQueryValueExA(key, spec.name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
      buffer[sizeof(buffer) - 1] = '\0';
      value = {true, std::strcmp(buffer, "Yes") == 0 ? 1u : 0u, {}};
    }
  } else if (spec.kind == Kind::Number) {
    DWORD number = 0;
    DWORD size = sizeof(number);
    if (RegQueryValueExA(key, spec.name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof(number))
      value = {true, number, {}};
  } else {
    std::vector<WCHAR> buffer(kLocationCapacity, u'\0');
    DWORD size = kLocationCapacity * sizeof(WCHAR);
    const std::u16string name = platform::from_utf8(spec.name);
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ && size < kLocationCapacity * sizeof(WCHAR)) {
      std::u16string text(buffer.data(), size / sizeof(WCHAR));
      if (const auto end = text.find(u'\0'); end != std::u16string::npos) text.resize(end);
      value = {true, 0, std::move(text)};
    }
  }
  if (!value.stored && spec.kind == Kind::Location) value.text = default_location();
  return value;
}

std::vector<OptionValue> read_all() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) key = nullptr;
  std::vector<OptionValue> values;
  for (const auto& spec : kOptions) values.push_back(read_value(key, spec));
  if (key) RegCloseKey(key);
  return values;
}

void write_all(const std::vector<OptionValue>& values) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    fail("cannot write the e-mail options key", 1);
  bool written = true;
  for (std::size_t i = 0; i < std::size(kOptions); ++i) {
    const OptionSpec& spec = kOptions[i];
    const OptionValue& value = values[i];
    LONG status = ERROR_SUCCESS;
    if (spec.kind == Kind::Boolean) {
      const char* text = value.number ? "Yes" : "No";
      status = RegSetValueExA(key, spec.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                              static_cast<DWORD>(std::strlen(text) + 1));
    } else if (spec.kind == Kind::Number) {
      status = RegSetValueExA(key, spec.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.number),
                              sizeof(value.number));
    } else if (value.text.size() < kLocationCapacity) {
      const std::u16string name = platform::from_utf8(spec.name);
      status = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                              static_cast<DWORD>(value.text.size() * sizeof(WCHAR)));
      // The panes make the default folder when they apply the default.
      if (!value.stored && !value.text.empty()) (void)CreateDirectoryW(value.text.c_str(), nullptr);
    }
    written = written && status == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  if (!written) fail("some values could not be written", 1);
}

void apply(std::vector<OptionValue>& values, const std::string& assignment) {
  const auto equals = assignment.find('=');
  if (equals == std::string::npos) fail("\"" + assignment + "\" is not Name=Value");
  const std::string name = assignment.substr(0, equals);
  const std::string text = assignment.substr(equals + 1);
  for (std::size_t i = 0; i < std::size(kOptions); ++i) {
    const OptionSpec& spec = kOptions[i];
    if (!same_name(name, spec.name)) continue;
    OptionValue& value = values[i];
    if (spec.kind == Kind::Boolean) {
      if (same_name(text, "Yes"))
        value.number = 1;
      else if (same_name(text, "No"))
        value.number = 0;
      else
        fail(std::string(spec.name) + " takes Yes or No, not \"" + text + "\"");
    } else if (spec.kind == Kind::Number) {
      if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos ||
          std::stoull(text) > 0xFFFFFFFFull)
        fail(std::string(spec.name) + " takes a number from 0 to 4294967295, not \"" + text + "\"");
      value.number = static_cast<DWORD>(std::stoull(text));
    } else {
      std::u16string location = platform::from_utf8(text);
      if (location.size() >= kLocationCapacity)
        fail(std::string(spec.name) + " must be shorter than " + std::to_string(kLocationCapacity) + " characters");
      value.text = std::move(location);
    }
    value.stored = true;
    return;
  }
  fail("no e-mail option is named \"" + name + "\"");
}

std::string shown(const OptionSpec& spec, const OptionValue& value) {
  if (spec.kind == Kind::Boolean) return value.number ? "Yes" : "No";
  if (spec.kind == Kind::Number) return std::to_string(value.number);
  return platform::to_utf8(value.text);
}

void print(const std::vector<OptionValue>& values, bool json) {
  if (json) {
    nlohmann::ordered_json out;
    out["key"] = std::string("HKEY_CURRENT_USER\\") + kEmailOptionsKey;
    out["values"] = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < std::size(kOptions); ++i) {
      nlohmann::ordered_json entry;
      entry["name"] = kOptions[i].name;
      if (kOptions[i].kind == Kind::Boolean)
        entry["value"] = values[i].number != 0;
      else if (kOptions[i].kind == Kind::Number)
        entry["value"] = values[i].number;
      else
        entry["value"] = platform::to_utf8(values[i].text);
      entry["stored"] = values[i].stored;
      out["values"].push_back(std::move(entry));
    }
    std::printf("%s\n", out.dump(2).c_str());
    return;
  }
  for (std::size_t i = 0; i < std::size(kOptions); ++i)
    std::printf("%-38s %s%s\n", kOptions[i].name, shown(kOptions[i], values[i]).c_str(),
                values[i].stored ? "" : "  (default, not stored)");
}

bool g_json = false;
std::vector<std::string> g_assignments;

void run_email_options() {
  use_registry_store();
  std::vector<OptionValue> values = read_all();
  for (const auto& assignment : g_assignments) apply(values, assignment);
  if (!g_assignments.empty()) {
    write_all(values);
    values = read_all();
  }
  print(values, g_json);
}

}  // namespace

void add_options_command(CLI::App& app) {
  auto* options = app.add_subcommand("options", "Show or change the per-user options of a task");
  options->require_subcommand(1);
  auto* email = options->add_subcommand("email", "The e-mail options, by their registry value names");
  email->add_flag("--json", g_json, "Print the options as JSON");
  email->add_option("--set", g_assignments, "Change an option: \"Name=Value\" (Yes/No, a number, or a folder)");
  email->callback(run_email_options);
}

}  // namespace suite::cli
