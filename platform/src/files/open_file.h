// A file opened by CreateFile: its descriptor, the rights it was opened with and the sharing it
// allows. Opens of one file within the process check each other's share modes as Windows does.
#pragma once

#include <sys/types.h>

#include <string>

#include "platform/src/handles/handle_table.h"
#include "platform/windef.h"

namespace platform::files {

// Rights reduced to what the share modes look at.
inline constexpr DWORD kReadRight = 1, kWriteRight = 2, kDeleteRight = 4;
DWORD rights_of(DWORD desired_access);

class OpenFile : public handles::KernelObject {
 public:
  OpenFile(int fd, DWORD rights, DWORD share, dev_t device, ino_t inode, std::u16string drive);
  ~OpenFile() override;
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  // Joins the file's opens; false (ERROR_SHARING_VIOLATION) when it conflicts with one of them.
  [[nodiscard]] bool register_open();

  int fd() const { return fd_; }
  DWORD rights() const { return rights_; }
  const std::u16string& drive() const { return drive_; }
  // FILE_FLAG_DELETE_ON_CLOSE: the file goes with its last handle.
  void delete_on_close(std::string posix_path) { delete_on_close_ = std::move(posix_path); }

 private:
  int fd_;
  DWORD rights_;
  DWORD share_;
  dev_t device_;
  ino_t inode_;
  std::u16string drive_;
  bool registered_ = false;
  std::string delete_on_close_;
};

// Whether every open of the file allows it to be deleted or renamed (FILE_SHARE_DELETE).
bool delete_shared(dev_t device, ino_t inode);
// Whether an open for `rights` alongside the file's current opens, sharing `share`, is allowed.
bool open_allowed(dev_t device, ino_t inode, DWORD rights, DWORD share);

}  // namespace platform::files
