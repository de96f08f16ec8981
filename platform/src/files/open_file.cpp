// The share-mode bookkeeping of the files open in this process.
#include "platform/src/files/open_file.h"

#include <unistd.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "platform/fileapi.h"

namespace platform::files {
namespace {

struct Open {
  const OpenFile* file;
  DWORD rights;
  DWORD share;
};

struct Opens {
  std::mutex mutex;
  std::map<std::pair<dev_t, ino_t>, std::vector<Open>> by_file;
};

Opens& opens() {
  static Opens o;
  return o;
}

// Opens without data rights (attributes only) take no part in sharing, as on Windows.
bool conflicts(const Open& existing, DWORD rights, DWORD share) {
  if (existing.rights == 0 || rights == 0) return false;
  auto denied = [](DWORD wanted, DWORD shared) {
    return ((wanted & kReadRight) && !(shared & FILE_SHARE_READ)) ||
           ((wanted & kWriteRight) && !(shared & FILE_SHARE_WRITE)) ||
           ((wanted & kDeleteRight) && !(shared & FILE_SHARE_DELETE));
  };
  return denied(rights, existing.share) || denied(existing.rights, share);
}

bool allowed_locked(const std::vector<Open>& list, DWORD rights, DWORD share) {
  return std::none_of(list.begin(), list.end(), [&](const Open& o) { return conflicts(o, rights, share); });
}

}  // namespace

DWORD rights_of(DWORD access) {
  DWORD rights = 0;
  if (access & (GENERIC_READ | GENERIC_ALL | GENERIC_EXECUTE | FILE_READ_DATA)) rights |= kReadRight;
  if (access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA)) rights |= kWriteRight;
  if (access & (GENERIC_ALL | DELETE)) rights |= kDeleteRight;
  return rights;
}

OpenFile::OpenFile(int fd, DWORD rights, DWORD share, dev_t device, ino_t inode, std::u16string drive)
    : fd_(fd), rights_(rights), share_(share), device_(device), inode_(inode), drive_(std::move(drive)) {}

OpenFile::~OpenFile() {
  if (registered_) {
    auto& o = opens();
    std::lock_guard lock(o.mutex);
    auto it = o.by_file.find({device_, inode_});
    if (it != o.by_file.end()) {
      auto& list = it->second;
      list.erase(std::remove_if(list.begin(), list.end(), [this](const Open& e) { return e.file == this; }),
                 list.end());
      if (list.empty()) o.by_file.erase(it);
    }
  }
  if (!delete_on_close_.empty()) ::unlink(delete_on_close_.c_str());
  if (fd_ >= 0) ::close(fd_);
}

bool OpenFile::register_open() {
  auto& o = opens();
  std::lock_guard lock(o.mutex);
  auto& list = o.by_file[{device_, inode_}];
  if (!allowed_locked(list, rights_, share_)) {
    if (list.empty()) o.by_file.erase({device_, inode_});
    return false;
  }
  list.push_back({this, rights_, share_});
  registered_ = true;
  return true;
}

bool delete_shared(dev_t device, ino_t inode) {
  auto& o = opens();
  std::lock_guard lock(o.mutex);
  const auto it = o.by_file.find({device, inode});
  if (it == o.by_file.end()) return true;
  return std::all_of(it->second.begin(), it->second.end(),
                     [](const Open& e) { return (e.share & FILE_SHARE_DELETE) != 0; });
}

bool open_allowed(dev_t device, ino_t inode, DWORD rights, DWORD share) {
  auto& o = opens();
  std::lock_guard lock(o.mutex);
  const auto it = o.by_file.find({device, inode});
  return it == o.by_file.end() || allowed_locked(it->second, rights, share);
}

}  // namespace platform::files
