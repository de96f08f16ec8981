// The machine this platform pretends to be: the drive and share tables that map Windows paths
// onto the POSIX file system, the temporary and pictures folders, the ANSI code page and the
// locale. Read from a JSON profile (`--profile FILE`, ZOZED_PROFILE) or set in code.
#pragma once

#include "platform/locale_profile.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

#include "platform/fileapi.h"
#include "platform/windef.h"

namespace platform {

struct DriveMapping {
  std::string folder;  // absolute POSIX folder the drive's root stands for
  UINT type = DRIVE_FIXED;
};

struct MachineProfile {
  std::map<char16_t, DriveMapping> drives;  // by upper-case letter
  std::map<std::u16string, std::string> shares;  // "\\\\server\\share" -> folder; names compare ignoring case
  std::string temp_folder;      // empty: $TMPDIR/zozed-<uid>
  std::string pictures_folder;  // empty: the XDG pictures folder
  UINT ansi_code_page = 1252;
  std::shared_ptr<const nlohmann::json> locale;  // the profile's "locale" section, if any
  std::string source;  // the file it was read from, for messages

  // Z: is the POSIX root as a fixed drive; code page 1252.
  static MachineProfile defaults();
};

// A profile that cannot be read or holds a bad value; the message names the file and the key.
class MachineProfileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a JSON profile. Its "drives" are laid over the default table (null removes a drive).
MachineProfile read_machine_profile(const std::string& file);
MachineProfile parse_machine_profile(std::string_view json_text, const std::string& source_name);

// The profile in force, and making one so (all of it checked first, then applied).
MachineProfile current_machine_profile();
void apply_machine_profile(const MachineProfile& profile);

// Single settings for tests and tools; each checks its value like the profile reader.
void map_drive(char16_t letter, std::string folder, UINT type = DRIVE_FIXED);
void unmap_drive(char16_t letter);
void map_share(std::u16string_view unc_name, std::string folder);
void set_temp_folder(std::string folder);
void set_pictures_folder(std::string folder);

// Restores, when it goes, the profile, the file faults, the ANSI code page and the locale it found.
class ScopedMachineProfile {
 public:
  ScopedMachineProfile();
  explicit ScopedMachineProfile(const MachineProfile& profile);
  ~ScopedMachineProfile();
  ScopedMachineProfile(const ScopedMachineProfile&) = delete;
  ScopedMachineProfile& operator=(const ScopedMachineProfile&) = delete;

 private:
  std::shared_ptr<const void> saved_;
  UINT saved_code_page_;
  std::shared_ptr<const LocaleProfile> saved_locale_;
};

}  // namespace platform
