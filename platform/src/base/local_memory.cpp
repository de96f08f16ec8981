// LocalAlloc and LocalFree: fixed blocks from the C heap, each with a header that marks it as
// one of ours so that LocalFree can refuse anything else as Windows does.
#include <cstdlib>
#include <cstring>

#include "platform/errhandlingapi.h"
#include "platform/winbase.h"
#include "platform/winerror.h"

namespace {

constexpr std::uint64_t kMagic = 0x4c4f43414c4d454dull;  // "LOCALMEM"

struct alignas(std::max_align_t) Header {
  std::uint64_t magic;
  SIZE_T size;
};

}  // namespace

extern "C" HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes) {
  if (uFlags & ~LMEM_ZEROINIT) {  // movable memory is not offered here
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + uBytes));
  if (!header) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  header->magic = kMagic;
  header->size = uBytes;
  if (uFlags & LMEM_ZEROINIT) std::memset(header + 1, 0, uBytes);
  return header + 1;
}

extern "C" HLOCAL WINAPI LocalFree(HLOCAL hMem) {
  if (!hMem) return nullptr;
  auto* header = static_cast<Header*>(hMem) - 1;
  if (header->magic != kMagic) {
    SetLastError(ERROR_INVALID_HANDLE);
    return hMem;
  }
  header->magic = 0;
  std::free(header);
  return nullptr;
}
