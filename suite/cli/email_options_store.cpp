#include "suite/cli/email_options_store.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "platform/objbase.h"
#include "platform/path_mapping.h"
#include "platform/support/com_ptr.h"
#include "platform/support/reg_key.h"
#include "platform/winnls.h"
#include "platform/winreg.h"
#include "suite/cli/running_suite.h"

namespace suite::cli {
namespace {

constexpr char16_t kShareByEmailProgId[] = u"STGZozedAradizuzOdaru.STGShareByEmail";
constexpr DWORD kLocationCapacity = 2080;  // wide characters; a stored location stays below it
constexpr char kSaveLocation[] = "Save location";

// What the command line accepts for the numbers whose meaning it can check; any other number
// takes the whole 32-bit range.
struct NumberRule {
  const char* name;
  DWORD low;
  DWORD high;
  const char* accepted;
};
constexpr NumberRule kNumberRules[] = {
    {"Screen size", 0, 2, "0 (640 x 480), 1 (800 x 600) or 2 (1024 x 768)"},
    {"JPEG Optimization", 0, 2, "0 (fit a screen size), 1 (aim at a file size) or 2 (no size limit)"},
    // Kilobytes whose bytes still fit in 32 bits.
    {"File size", 1, 0xFFFFFFFFu / 1024u, "a number of kilobytes from 1 to 4194303"},
    {"Slide duration", 1, 0xFFFFFFFFu, "a number of seconds from 1 to 4294967295"},
};

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::u16string options_key() { return platform::from_utf8(kEmailOptionsKey); }

DWORD parsed_number(const StoredOption& option, const std::string& text) {
  const NumberRule* rule = nullptr;
  for (const NumberRule& candidate : kNumberRules)
    if (same_name(candidate.name, option.name)) rule = &candidate;
  const std::string accepted = rule ? rule->accepted : "a number from 0 to 4294967295";
  const bool digits = !text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == std::string::npos;
  const unsigned long long value = digits ? std::stoull(text) : 0;
  if (!digits || value > (rule ? rule->high : 0xFFFFFFFFu) || value < (rule ? rule->low : 0))
    throw std::invalid_argument(option.name + " takes " + accepted + ", not \"" + text + "\"");
  return static_cast<DWORD>(value);
}

// A folder as the record keeps it: a Windows path; a POSIX one is mapped through the drives.
std::u16string parsed_location(const std::string& text) {
  if (text.empty()) throw std::invalid_argument(std::string(kSaveLocation) + " needs a folder");
  std::u16string location = platform::from_utf8(text);
  if (text.front() == '/' || text.front() == '.' || text.find('\\') == std::string::npos) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(text, error);
    location = error ? std::u16string() : platform::windows_path_of(absolute.lexically_normal().string());
    if (location.empty()) throw std::invalid_argument("\"" + text + "\" is on no drive of this machine");
  }
  if (location.size() >= kLocationCapacity)
    throw std::invalid_argument(std::string(kSaveLocation) + " must be shorter than " +
                                std::to_string(kLocationCapacity) + " characters");
  return location;
}

}  // namespace

bool StoredOption::is_switch() const { return type == REG_SZ && (text == u"Yes" || text == u"No"); }

std::string StoredOption::shown() const {
  if (type == REG_DWORD) return std::to_string(number);
  return platform::to_utf8(text);
}

void complete_email_options() {
  CLSID clsid{};
  platform::ComPtr<IUnknown> pane;
  HRESULT hr = CLSIDFromProgID(kShareByEmailProgId, &clsid);
  if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, pane.put_void());
  if (FAILED(hr)) fail("the module cannot load its e-mail options", hr);
}

std::vector<StoredOption> read_email_options() {
  std::vector<StoredOption> options;
  platform::RegKey key;
  if (key.open(HKEY_CURRENT_USER, options_key(), KEY_QUERY_VALUE) != ERROR_SUCCESS) return options;
  for (DWORD index = 0;; ++index) {
    WCHAR name[256] = {};
    DWORD name_length = 256;
    DWORD type = 0;
    BYTE data[kLocationCapacity * sizeof(WCHAR) + 2] = {};
    DWORD size = sizeof(data) - 2;
    const LSTATUS status = RegEnumValueW(key.get(), index, name, &name_length, nullptr, &type, data, &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;  // too long to be a value of the record
    StoredOption option;
    option.name = platform::to_utf8(std::u16string_view(name, name_length));
    option.type = type;
    if (type == REG_DWORD && size == sizeof(DWORD)) {
      std::memcpy(&option.number, data, sizeof(DWORD));
    } else if (type == REG_SZ) {
      std::u16string text(reinterpret_cast<const char16_t*>(data), size / sizeof(WCHAR));
      if (const auto end = text.find(u'\0'); end != std::u16string::npos) text.resize(end);
      option.text = std::move(text);
    }
    options.push_back(std::move(option));
  }
  return options;
}

const StoredOption* find_email_option(const std::vector<StoredOption>& options, std::string_view name) {
  for (const StoredOption& option : options)
    if (same_name(option.name, name)) return &option;
  return nullptr;
}

void set_email_option(const std::string& assignment) {
  const auto equals = assignment.find('=');
  if (equals == std::string::npos) throw std::invalid_argument("\"" + assignment + "\" is not Name=Value");
  const std::string name = assignment.substr(0, equals);
  const std::string text = assignment.substr(equals + 1);
  const auto options = read_email_options();
  const StoredOption* option = find_email_option(options, name);
  if (!option) throw std::invalid_argument("no e-mail option is named \"" + name + "\" (`zozed options email` lists them)");

  std::vector<BYTE> data;
  DWORD type = option->type;
  if (option->type == REG_DWORD) {
    const DWORD number = parsed_number(*option, text);
    data.assign(reinterpret_cast<const BYTE*>(&number), reinterpret_cast<const BYTE*>(&number) + sizeof number);
  } else if (option->is_switch()) {
    if (!same_name(text, "Yes") && !same_name(text, "No"))
      throw std::invalid_argument(option->name + " takes Yes or No, not \"" + text + "\"");
    const std::u16string value = same_name(text, "Yes") ? u"Yes" : u"No";
    data.assign(reinterpret_cast<const BYTE*>(value.c_str()), reinterpret_cast<const BYTE*>(value.c_str() + value.size() + 1));
  } else if (same_name(option->name, kSaveLocation)) {
    // Stored without its terminator, the way the record writes it.
    const std::u16string value = parsed_location(text);
    data.assign(reinterpret_cast<const BYTE*>(value.c_str()), reinterpret_cast<const BYTE*>(value.c_str() + value.size()));
  } else {
    throw std::invalid_argument(option->name + " is stored in a form the command line does not change");
  }
  platform::RegKey key;
  const std::u16string value_name = platform::from_utf8(option->name);
  if (key.open(HKEY_CURRENT_USER, options_key(), KEY_SET_VALUE) != ERROR_SUCCESS ||
      RegSetValueExW(key.get(), value_name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
    throw std::runtime_error("the registry refused to store " + option->name);
}

EmailOptionsSnapshot::EmailOptionsSnapshot() {
  platform::RegKey key;
  existed_ = key.open(HKEY_CURRENT_USER, options_key(), KEY_QUERY_VALUE) == ERROR_SUCCESS;
  if (!existed_) return;
  for (DWORD index = 0;; ++index) {
    WCHAR name[16384] = {};
    DWORD name_length = 16384;
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegEnumValueW(key.get(), index, name, &name_length, nullptr, &type, nullptr, &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    Value value{std::u16string(name, name_length), type, std::vector<unsigned char>(size)};
    status = RegQueryValueExW(key.get(), value.name.c_str(), nullptr, &value.type, value.data.data(), &size);
    if (status != ERROR_SUCCESS) continue;
    value.data.resize(size);
    values_.push_back(std::move(value));
  }
}

void EmailOptionsSnapshot::restore() const {
  platform::RegKey key;
  if (key.open(HKEY_CURRENT_USER, options_key(), KEY_QUERY_VALUE | KEY_SET_VALUE) != ERROR_SUCCESS) return;
  // Values written meanwhile (the module completing the record) go too, unless they were there.
  std::vector<std::u16string> now;
  for (DWORD index = 0;; ++index) {
    WCHAR name[16384] = {};
    DWORD name_length = 16384;
    const LSTATUS status = RegEnumValueW(key.get(), index, name, &name_length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS) now.emplace_back(name, name_length);
  }
  for (const auto& name : now) (void)RegDeleteValueW(key.get(), name.c_str());
  for (const Value& value : values_)
    (void)RegSetValueExW(key.get(), value.name.c_str(), 0, value.type, value.data.data(),
                         static_cast<DWORD>(value.data.size()));
}

}  // namespace suite::cli
