// Faults the file functions can be made to meet, for tests: the free space of a drive, a full
// disk, a folder that refuses changes. Drives are named "C:" or "\\\\server\\share".
// ScopedMachineProfile restores them with the rest of the machine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/windef.h"

namespace platform {

struct DiskSpace {
  ULONGLONG free_to_caller = 0;
  ULONGLONG total = 0;
  ULONGLONG total_free = 0;
};

// What GetDiskFreeSpaceEx answers for the drive instead of the file system's figures.
void set_disk_space(std::u16string_view drive, std::optional<DiskSpace> space);
// Writes onto the drive fail with ERROR_DISK_FULL.
void set_disk_full(std::u16string_view drive, bool full);
// Entries below the POSIX folder cannot be created, changed or removed (ERROR_ACCESS_DENIED),
// whoever runs the process.
void set_read_only_folder(std::string posix_folder, bool read_only);
void clear_file_faults();

}  // namespace platform
