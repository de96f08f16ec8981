// The folder that "Save for later sending" writes into: today's date, in the order of the user's
// long dates, below the save location, created on demand.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/minwinbase.h"

namespace zozed::email {

inline constexpr std::size_t kDatedFolderCapacity = 4096;

// The date picture for a LOCALE_ILDATE answer, read as a number the way the CRT reads one:
// 0 month first, 2 year first, any other number (or no answer) day first.
std::u16string_view DatePictureFor(std::optional<std::u16string_view> long_date_order);

// Creates every directory along `path` from left to right; components are separated by "\" or
// "/", and the leading separators of a UNC prefix are skipped. A component counts as made when
// it was created, when creation is refused with access denied or already exists, or with an
// invalid name on a path that begins with "\\".
bool CreateDirectoryPath(std::u16string_view path);

// `save_location` + separator + `date` formatted in the user's locale, created; without a
// trailing separator. Nothing when the location is shorter than 2 characters, the path would
// pass kDatedFolderCapacity, the date cannot be formatted or a directory cannot be made.
std::optional<std::u16string> MakeDatedFolder(std::u16string_view save_location, const SYSTEMTIME& date);

}  // namespace zozed::email
