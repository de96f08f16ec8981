// The checks a machine setting passes before it is taken, shared by the JSON reader and the
// setters; each failure is a MachineProfileError naming where the value came from and its key.
#pragma once

#include <string>
#include <string_view>

#include "platform/machine_profile.h"

namespace platform::profile {

[[noreturn]] void fail(const std::string& source, const std::string& key, const std::string& problem);

// An absolute POSIX folder without a trailing slash ("/" stays).
std::string checked_folder(std::string folder, const std::string& source, const std::string& key);
// 'c', "C" or "C:" as 'C'.
char16_t checked_drive_letter(std::u16string_view name, const std::string& source, const std::string& key);
void check_drive_type(UINT type, const std::string& source, const std::string& key);
// "\\\\server\\share" or "//server/share" as "\\\\server\\share".
std::u16string checked_share_name(std::u16string_view name, const std::string& source, const std::string& key);
void check_code_page(UINT code_page, const std::string& source, const std::string& key);

// Every value of a profile, as apply_machine_profile takes it.
void check_profile(const MachineProfile& profile);

}  // namespace platform::profile
