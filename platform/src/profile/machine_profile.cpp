// Putting a machine profile in force, single settings, and the guard that restores them.
#include "platform/machine_profile.h"

#include <nlohmann/json.hpp>

#include <optional>

#include "platform/locale_profile.h"
#include "platform/src/profile/machine_state.h"
#include "platform/src/profile/profile_checks.h"
#include "platform/wide_crt.h"
#include "platform/winnls.h"

namespace platform {

using profile::machine_state;
using profile::update_machine_state;

MachineProfile MachineProfile::defaults() {
  MachineProfile p;
  p.drives[u'Z'] = DriveMapping{"/", DRIVE_FIXED};
  return p;
}

MachineProfile current_machine_profile() { return machine_state()->profile; }

void apply_machine_profile(const MachineProfile& machine) {
  profile::check_profile(machine);
  // Everything is checked before anything changes, so a refused profile leaves no trace.
  std::optional<LocaleProfile> locale;
  if (machine.locale) {
    try {
      locale = LocaleProfile::from_json(*machine.locale);
    } catch (const std::exception& e) {
      profile::fail(machine.source, "locale", e.what());
    }
  }
  if (!IsValidCodePage(machine.ansi_code_page))
    profile::fail(machine.source, "ansi_code_page", "code page " + std::to_string(machine.ansi_code_page) +
                                                        " is not a code page this platform converts");
  (void)set_ansi_code_page(machine.ansi_code_page);
  if (locale) set_locale_profile(std::move(*locale));
  update_machine_state([&](profile::MachineState& state) { state.profile = machine; });
}

void map_drive(char16_t letter, std::string folder, UINT type) {
  const char16_t drive = profile::checked_drive_letter(std::u16string(1, letter), {}, "drive");
  const std::string key = "drives." + to_utf8(std::u16string(1, drive));
  DriveMapping mapping{profile::checked_folder(std::move(folder), {}, key + ".folder"), type};
  profile::check_drive_type(type, {}, key + ".type");
  update_machine_state([&](profile::MachineState& state) { state.profile.drives[drive] = mapping; });
}

void unmap_drive(char16_t letter) {
  const char16_t drive = profile::checked_drive_letter(std::u16string(1, letter), {}, "drive");
  update_machine_state([&](profile::MachineState& state) { state.profile.drives.erase(drive); });
}

void map_share(std::u16string_view unc_name, std::string folder) {
  const std::u16string name = profile::checked_share_name(unc_name, {}, "shares");
  folder = profile::checked_folder(std::move(folder), {}, "shares." + to_utf8(name));
  update_machine_state([&](profile::MachineState& state) {
    auto& shares = state.profile.shares;
    for (auto it = shares.begin(); it != shares.end(); ++it) {
      if (compare_ignore_case(it->first, name) == 0) {
        shares.erase(it);
        break;
      }
    }
    shares[name] = folder;
  });
}

void set_temp_folder(std::string folder) {
  if (!folder.empty()) folder = profile::checked_folder(std::move(folder), {}, "temp_folder");
  update_machine_state([&](profile::MachineState& state) { state.profile.temp_folder = folder; });
}

void set_pictures_folder(std::string folder) {
  if (!folder.empty()) folder = profile::checked_folder(std::move(folder), {}, "pictures_folder");
  update_machine_state([&](profile::MachineState& state) { state.profile.pictures_folder = folder; });
}

ScopedMachineProfile::ScopedMachineProfile()
    : saved_(machine_state()), saved_code_page_(GetACP()), saved_locale_(current_locale_profile()) {}

ScopedMachineProfile::ScopedMachineProfile(const MachineProfile& machine) : ScopedMachineProfile() {
  apply_machine_profile(machine);
}

ScopedMachineProfile::~ScopedMachineProfile() {
  profile::replace_machine_state(std::static_pointer_cast<const profile::MachineState>(saved_));
  (void)set_ansi_code_page(saved_code_page_);
  set_locale_profile(*saved_locale_);
}

}  // namespace platform
