// `zozed status`: the machine as the suite sees it (settings store, drives, folders, code page,
// locale), which is what every task runs on.
#include <cstdio>
#include <string>

#include "platform/machine_profile.h"
#include "platform/shlobj.h"
#include "platform/winbase.h"
#include "platform/winnls.h"
#include "platform/winreg.h"
#include "suite/cli/commands.h"

namespace suite::cli {

namespace {

std::string locale_text(LCTYPE type) {
  WCHAR text[128] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 128) > 0 ? platform::to_utf8(text) : "?";
}

std::string today_long() {
  WCHAR text[128] = {};
  return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, text, 128) > 0 ? platform::to_utf8(text)
                                                                                             : "?";
}

const char* drive_type_name(UINT type) {
  switch (type) {
    case DRIVE_REMOVABLE: return "removable";
    case DRIVE_FIXED: return "fixed";
    case DRIVE_REMOTE: return "network";
    case DRIVE_CDROM: return "CD-ROM";
    case DRIVE_RAMDISK: return "RAM disk";
    default: return "unknown";
  }
}

int print_status() {
  use_registry_store();
  const auto machine = platform::current_machine_profile();
  std::printf("Settings store  %s\n",
              chosen_store_path().empty() ? platform::registry::default_store_path().c_str()
                                          : chosen_store_path().c_str());
  std::printf("Machine profile %s\n", machine.source.empty() ? "(defaults)" : machine.source.c_str());
  for (const auto& [letter, drive] : machine.drives)
    std::printf("Drive %s:        %s (%s)\n", platform::to_utf8(std::u16string(1, letter)).c_str(), drive.folder.c_str(),
                drive_type_name(drive.type));
  for (const auto& [name, folder] : machine.shares)
    std::printf("Share           %s -> %s\n", platform::to_utf8(name).c_str(), folder.c_str());
  WCHAR path[MAX_PATH] = {};
  if (GetTempPathW(MAX_PATH, path) > 0) std::printf("Temporary       %s\n", platform::to_utf8(path).c_str());
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, 0, path)))
    std::printf("My Pictures     %s\n", platform::to_utf8(path).c_str());
  else
    std::printf("My Pictures     (no pictures folder yet)\n");
  std::printf("ANSI code page  %u\n", GetACP());
  std::printf("Locale          %s (%s), today is %s\n", locale_text(LOCALE_SENGLANGUAGE).c_str(),
              locale_text(LOCALE_SENGCOUNTRY).c_str(), today_long().c_str());
  return 0;
}

}  // namespace

void add_status_command(CLI::App& app) {
  auto* cmd = app.add_subcommand("status", "Show the settings store, drives, folders, code page and locale in use");
  cmd->callback([] { print_status(); });
}

}  // namespace suite::cli
