// Tests on a path that decide how a file is prepared: whether it is a JPEG and whether it lies
// off the local fixed disks (a share, a removable or unknown drive) and must be copied first.
#pragma once

#include <string_view>

namespace zozed::email {

bool IsJpegPath(std::u16string_view path);

struct DiskPlacement {
  bool network_share = false;
  bool not_local_fixed = false;
};

bool IsOffLocalDisk(std::u16string_view path, DiskPlacement* placement = nullptr);

}  // namespace zozed::email
