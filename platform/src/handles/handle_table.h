// The process's table of kernel object handles: small numbers, as on Windows, standing for
// objects that live until their last handle is closed and no call is using them.
#pragma once

#include <memory>

#include "platform/windef.h"

namespace platform::handles {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
  // Find handles close with FindClose, not CloseHandle.
  virtual bool closes_with_close_handle() const { return true; }
};

HANDLE insert(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> find(HANDLE handle);
// Takes the object out of the table when `accept` agrees; null otherwise.
std::shared_ptr<KernelObject> take(HANDLE handle, bool (*accept)(const KernelObject&));

template <class T>
std::shared_ptr<T> find_as(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(find(handle));
}

}  // namespace platform::handles
