#include "suite/cli/email_options_store.h"

#include <cctype>
#include <cstring>
#include <stdexcept>

#include "platform/fileapi.h"
#include "platform/shlobj.h"
#include "platform/winnls.h"
#include "platform/winreg.h"
#include "suite/host/host_strings.h"

namespace suite::cli {
namespace {

constexpr DWORD kLocationCapacity = 2080;  // wide characters; a location must stay below it
constexpr LONG kSaveFolderString = 62602;

// In the order the record reads and writes them.
constexpr EmailOptionSpec kOptions[] = {
    {"Warn about attachment size", EmailOptionKind::Boolean, 1},
    {"Attachment size limit", EmailOptionKind::Number, 1000},
    {"Save location", EmailOptionKind::Location, 0},
    {"Save for later sending", EmailOptionKind::Boolean, 0},
    {"Embed in HTML", EmailOptionKind::Boolean, 1},
    {"Convert to JPEG", EmailOptionKind::Boolean, 1},
    {"JPEG Optimization", EmailOptionKind::Number, 0},
    {"Screen size", EmailOptionKind::Number, 1},
    {"File size", EmailOptionKind::Number, 50},
    {"Slide duration", EmailOptionKind::Number, 5},
    {"Play associated sounds", EmailOptionKind::Boolean, 1},
    {"Extend slide duration to sound length", EmailOptionKind::Boolean, 1},
    {"Fade out background sound", EmailOptionKind::Boolean, 1},
    {"Loop background sound", EmailOptionKind::Boolean, 1},
};

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
EmailOptionValue read_value(HKEY key, const EmailOptionSpec& spec) {
  EmailOptionValue value;
  value.number = spec.fallback;
  DWORD type = 0;
  if (!key) {
    // Nothing stored yet.
  } else if (spec.kind == EmailOptionKind::Boolean) {
    char buffer[260] = {};
    DWORD size = sizeof(buffer);
    if (RegQueryValueExA(key, spec.name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
      buffer[sizeof(buffer) - 1] = '\0';
      value = {true, std::strcmp(buffer, "Yes") == 0 ? 1u : 0u, {}};
    }
  } else if (spec.kind == EmailOptionKind::Number) {
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
  if (!value.stored && spec.kind == EmailOptionKind::Location) value.text = default_location();
  return value;
}

std::vector<EmailOptionValue> read_all_impl() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) key = nullptr;
  std::vector<EmailOptionValue> values;
  for (const auto& spec : kOptions) values.push_back(read_value(key, spec));
  if (key) RegCloseKey(key);
  return values;
}

void write_all_impl(const std::vector<EmailOptionValue>& values) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kEmailOptionsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot write the e-mail options key");
  bool written = true;
  for (std::size_t i = 0; i < std::size(kOptions); ++i) {
    const EmailOptionSpec& spec = kOptions[i];
    const EmailOptionValue& value = values[i];
    LONG status = ERROR_SUCCESS;
    if (spec.kind == EmailOptionKind::Boolean) {
      const char* text = value.number ? "Yes" : "No";
      status = RegSetValueExA(key, spec.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                              static_cast<DWORD>(std::strlen(text) + 1));
    } else if (spec.kind == EmailOptionKind::Number) {
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
  if (!written) throw std::runtime_error("some values could not be written");
}

void apply_impl(std::vector<EmailOptionValue>& values, const std::string& assignment) {
  const auto equals = assignment.find('=');
  if (equals == std::string::npos) throw std::invalid_argument("\"" + assignment + "\" is not Name=Value");
  const std::string name = assignment.substr(0, equals);
  const std::string text = assignment.substr(equals + 1);
  for (std::size_t i = 0; i < std::size(kOptions); ++i) {
    const EmailOptionSpec& spec = kOptions[i];
    if (!same_name(name, spec.name)) continue;
    EmailOptionValue& value = values[i];
    if (spec.kind == EmailOptionKind::Boolean) {
      if (same_name(text, "Yes"))
        value.number = 1;
      else if (same_name(text, "No"))
        value.number = 0;
      else
        throw std::invalid_argument(std::string(spec.name) + " takes Yes or No, not \"" + text + "\"");
    } else if (spec.kind == EmailOptionKind::Number) {
      if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos ||
          std::stoull(text) > 0xFFFFFFFFull)
        throw std::invalid_argument(std::string(spec.name) + " takes a number from 0 to 4294967295, not \"" + text + "\"");
      value.number = static_cast<DWORD>(std::stoull(text));
    } else {
      std::u16string location = platform::from_utf8(text);
      if (location.size() >= kLocationCapacity)
        throw std::invalid_argument(std::string(spec.name) + " must be shorter than " + std::to_string(kLocationCapacity) + " characters");
      value.text = std::move(location);
    }
    value.stored = true;
    return;
  }
  throw std::invalid_argument("no e-mail option is named \"" + name + "\"");
}

std::string shown_impl(const EmailOptionSpec& spec, const EmailOptionValue& value) {
  if (spec.kind == EmailOptionKind::Boolean) return value.number ? "Yes" : "No";
  if (spec.kind == EmailOptionKind::Number) return std::to_string(value.number);
  return platform::to_utf8(value.text);
}

}  // namespace

std::span<const EmailOptionSpec> email_option_specs() { return kOptions; }
std::vector<EmailOptionValue> read_email_options() { return read_all_impl(); }
void write_email_options(const std::vector<EmailOptionValue>& values) { write_all_impl(values); }
void apply_email_option(std::vector<EmailOptionValue>& values, const std::string& assignment) {
  apply_impl(values, assignment);
}
std::string shown_email_option(const EmailOptionSpec& spec, const EmailOptionValue& value) {
  return shown_impl(spec, value);
}

DWORD email_option_number(const std::vector<EmailOptionValue>& values, std::string_view name) {
  for (std::size_t i = 0; i < std::size(kOptions) && i < values.size(); ++i)
    if (same_name(name, kOptions[i].name)) return values[i].number;
  return 0;
}

}  // namespace suite::cli
