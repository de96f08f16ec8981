// File attributes and times as Windows reports them, from what stat(2) tells.
#pragma once

#include <sys/stat.h>

#include <string_view>

#include "platform/windef.h"

namespace platform::files {

// READONLY when the owner may not write, HIDDEN for a name beginning with a dot, DIRECTORY or
// ARCHIVE (files are created with the archive bit on Windows, and nothing here clears it).
DWORD attributes_of(const struct stat& st, std::u16string_view name);

// 100-nanosecond intervals since 1601-01-01, UTC.
FILETIME filetime_of(const struct timespec& time);

}  // namespace platform::files
