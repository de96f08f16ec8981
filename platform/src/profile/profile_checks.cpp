// Values a machine profile may hold.
#include "platform/src/profile/profile_checks.h"

#include "platform/winnls.h"

namespace platform::profile {
namespace {

std::string where(const std::string& source) {
  return source.empty() ? std::string("machine profile") : "machine profile " + source;
}

bool is_name_char(char16_t c) {
  return c >= 0x20 && c != u'<' && c != u'>' && c != u':' && c != u'"' && c != u'|' && c != u'?' && c != u'*' &&
         c != u'\\' && c != u'/';
}

}  // namespace

void fail(const std::string& source, const std::string& key, const std::string& problem) {
  throw MachineProfileError(where(source) + ": " + key + ": " + problem);
}

std::string checked_folder(std::string folder, const std::string& source, const std::string& key) {
  if (folder.empty() || folder.front() != '/')
    fail(source, key, "\"" + folder + "\" is not an absolute folder (it must begin with /)");
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

char16_t checked_drive_letter(std::u16string_view name, const std::string& source, const std::string& key) {
  if (name.size() == 2 && name[1] == u':') name.remove_suffix(1);
  if (name.size() == 1) {
    const char16_t c = name[0];
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
    if (c >= u'A' && c <= u'Z') return c;
  }
  fail(source, key, "\"" + to_utf8(name) + "\" is not a drive letter (A to Z)");
}

void check_drive_type(UINT type, const std::string& source, const std::string& key) {
  if (type < DRIVE_REMOVABLE || type > DRIVE_RAMDISK)
    fail(source, key, "drive type " + std::to_string(type) + " cannot be mapped (2 to 6)");
}

std::u16string checked_share_name(std::u16string_view name, const std::string& source, const std::string& key) {
  auto separator = [](char16_t c) { return c == u'\\' || c == u'/'; };
  std::u16string parts[2];
  bool ok = name.size() > 2 && separator(name[0]) && separator(name[1]);
  std::size_t part = 0;
  for (std::size_t k = 2; ok && k < name.size(); ++k) {
    if (separator(name[k])) {
      if (k + 1 == name.size()) break;  // one trailing separator is fine
      ok = ++part < 2;
    } else {
      ok = is_name_char(name[k]);
      if (ok) parts[part] += name[k];
    }
  }
  if (!ok || parts[0].empty() || parts[1].empty())
    fail(source, key, "\"" + to_utf8(name) + "\" is not a share name of the form \\\\server\\share");
  return u"\\\\" + parts[0] + u"\\" + parts[1];
}

void check_code_page(UINT code_page, const std::string& source, const std::string& key) {
  if (code_page == CP_ACP || code_page == CP_OEMCP || code_page == CP_MACCP || code_page == CP_THREAD_ACP ||
      !IsValidCodePage(code_page))
    fail(source, key, "code page " + std::to_string(code_page) + " is not a code page this platform converts");
}

void check_profile(const MachineProfile& profile) {
  const std::string& source = profile.source;
  for (const auto& [letter, drive] : profile.drives) {
    const std::string key = "drives." + to_utf8(std::u16string(1, letter));
    checked_drive_letter(std::u16string(1, letter), source, key);
    checked_folder(drive.folder, source, key + ".folder");
    check_drive_type(drive.type, source, key + ".type");
  }
  for (const auto& [name, folder] : profile.shares) {
    const std::string key = "shares." + to_utf8(name);
    checked_share_name(name, source, key);
    checked_folder(folder, source, key);
  }
  if (!profile.temp_folder.empty()) checked_folder(profile.temp_folder, source, "temp_folder");
  if (!profile.pictures_folder.empty()) checked_folder(profile.pictures_folder, source, "pictures_folder");
  check_code_page(profile.ansi_code_page, source, "ansi_code_page");
}

}  // namespace platform::profile
