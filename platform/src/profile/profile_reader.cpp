// The JSON form of a machine profile:
//   { "drives": { "C": { "folder": "/srv/c", "type": "fixed" }, "Z": null },
//     "shares": { "\\\\server\\photos": "/srv/photos" },
//     "temp_folder": "/var/tmp/zozed", "pictures_folder": "/home/u/Photos",
//     "ansi_code_page": 1252, "locale": { ... } }
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/machine_profile.h"
#include "platform/src/profile/profile_checks.h"
#include "platform/winnls.h"

namespace platform {
namespace {

using nlohmann::json;
using profile::fail;

struct DriveTypeName {
  const char* name;
  UINT type;
};
constexpr DriveTypeName kDriveTypes[] = {
    {"fixed", DRIVE_FIXED}, {"removable", DRIVE_REMOVABLE}, {"remote", DRIVE_REMOTE},
    {"cdrom", DRIVE_CDROM}, {"ramdisk", DRIVE_RAMDISK},
};

std::string type_name(const json& value) { return value.type_name(); }

const std::string& string_at(const json& value, const std::string& source, const std::string& key) {
  if (!value.is_string()) fail(source, key, "expected a string, found " + type_name(value));
  return value.get_ref<const std::string&>();
}

UINT drive_type_of(const json& value, const std::string& source, const std::string& key) {
  const std::string& name = string_at(value, source, key);
  for (const auto& t : kDriveTypes)
    if (name == t.name) return t.type;
  fail(source, key, "unknown drive type \"" + name + "\" (fixed, removable, remote, cdrom or ramdisk)");
}

DriveMapping drive_of(const json& value, const std::string& source, const std::string& key) {
  if (value.is_string()) return {profile::checked_folder(value.get<std::string>(), source, key), DRIVE_FIXED};
  if (!value.is_object()) fail(source, key, "expected an object with \"folder\" and \"type\", found " + type_name(value));
  DriveMapping drive;
  bool has_folder = false;
  for (const auto& [name, item] : value.items()) {
    if (name == "folder") {
      drive.folder = profile::checked_folder(string_at(item, source, key + ".folder"), source, key + ".folder");
      has_folder = true;
    } else if (name == "type") {
      drive.type = drive_type_of(item, source, key + ".type");
    } else {
      fail(source, key + "." + name, "unknown key");
    }
  }
  if (!has_folder) fail(source, key + ".folder", "missing");
  return drive;
}

void read_drives(const json& value, MachineProfile& machine) {
  const std::string& source = machine.source;
  if (!value.is_object()) fail(source, "drives", "expected an object, found " + type_name(value));
  for (const auto& [name, item] : value.items()) {
    const std::string key = "drives." + name;
    const char16_t letter = profile::checked_drive_letter(from_utf8(name), source, key);
    if (item.is_null())
      machine.drives.erase(letter);
    else
      machine.drives[letter] = drive_of(item, source, key);
  }
}

void read_shares(const json& value, MachineProfile& machine) {
  const std::string& source = machine.source;
  if (!value.is_object()) fail(source, "shares", "expected an object, found " + type_name(value));
  for (const auto& [name, item] : value.items()) {
    const std::string key = "shares." + name;
    const std::u16string share = profile::checked_share_name(from_utf8(name), source, key);
    machine.shares[share] = profile::checked_folder(string_at(item, source, key), source, key);
  }
}

UINT code_page_of(const json& value, const std::string& source) {
  if (!value.is_number_unsigned() || value.get<std::uint64_t>() > 0xFFFF)
    fail(source, "ansi_code_page", "expected a code page number, found " + value.dump());
  const UINT code_page = value.get<UINT>();
  profile::check_code_page(code_page, source, "ansi_code_page");
  return code_page;
}

}  // namespace

MachineProfile parse_machine_profile(std::string_view json_text, const std::string& source_name) {
  MachineProfile machine = MachineProfile::defaults();
  machine.source = source_name;
  json document;
  try {
    document = json::parse(json_text);
  } catch (const json::parse_error& e) {
    fail(source_name, "(file)", std::string("not valid JSON: ") + e.what());
  }
  if (!document.is_object()) fail(source_name, "(file)", "expected a JSON object, found " + type_name(document));
  for (const auto& [key, value] : document.items()) {
    if (key == "drives") {
      read_drives(value, machine);
    } else if (key == "shares") {
      read_shares(value, machine);
    } else if (key == "temp_folder") {
      machine.temp_folder = profile::checked_folder(string_at(value, source_name, key), source_name, key);
    } else if (key == "pictures_folder") {
      machine.pictures_folder = profile::checked_folder(string_at(value, source_name, key), source_name, key);
    } else if (key == "ansi_code_page") {
      machine.ansi_code_page = code_page_of(value, source_name);
    } else if (key == "locale") {
      if (!value.is_object()) fail(source_name, key, "expected an object, found " + type_name(value));
      machine.locale = std::make_shared<const json>(value);
    } else {
      fail(source_name, key, "unknown key");
    }
  }
  return machine;
}

MachineProfile read_machine_profile(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) fail(file, "(file)", "cannot be opened");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) fail(file, "(file)", "cannot be read");
  return parse_machine_profile(text.str(), file);
}

}  // namespace platform
