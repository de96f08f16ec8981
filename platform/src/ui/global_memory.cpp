#include <cstddef>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/errhandlingapi.h"
#include "platform/winbase.h"
#include "platform/winerror.h"

namespace {

struct Block {
  std::vector<std::max_align_t> storage;
  SIZE_T size = 0;
  bool moveable = false;
  int locks = 0;
  void* data() { return storage.data(); }
};

struct Blocks {
  std::mutex mutex;
  std::unordered_map<HGLOBAL, Block> blocks;
  std::uintptr_t next_moveable = 0x60002;  // moveable handles are never valid addresses here
};

Blocks& blocks() {
  static Blocks table;
  return table;
}

Block* find_locked(Blocks& table, HGLOBAL handle) {
  auto it = table.blocks.find(handle);
  if (it == table.blocks.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &it->second;
}

}  // namespace

extern "C" HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
  Block block;
  block.size = dwBytes;
  block.moveable = (uFlags & GMEM_MOVEABLE) != 0;
  block.storage.resize((dwBytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t) + 1);
  if (uFlags & GMEM_ZEROINIT) std::memset(block.data(), 0, dwBytes);
  Blocks& table = blocks();
  std::lock_guard lock(table.mutex);
  HGLOBAL handle = block.moveable ? reinterpret_cast<HGLOBAL>(table.next_moveable)
                                  : reinterpret_cast<HGLOBAL>(block.data());
  if (block.moveable) table.next_moveable += 4;
  table.blocks.emplace(handle, std::move(block));
  return handle;
}

extern "C" LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
  Blocks& table = blocks();
  std::lock_guard lock(table.mutex);
  Block* block = find_locked(table, hMem);
  if (!block) return nullptr;
  if (block->moveable) ++block->locks;
  return block->data();
}

extern "C" BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
  Blocks& table = blocks();
  std::lock_guard lock(table.mutex);
  Block* block = find_locked(table, hMem);
  if (!block) return FALSE;
  // Fixed blocks always have a lock count of zero.
  if (!block->moveable || block->locks == 0) {
    SetLastError(block->moveable ? ERROR_NOT_LOCKED : NO_ERROR);
    return FALSE;
  }
  --block->locks;
  if (block->locks == 0) SetLastError(NO_ERROR);
  return block->locks > 0 ? TRUE : FALSE;
}

extern "C" SIZE_T WINAPI GlobalSize(HGLOBAL hMem) {
  Blocks& table = blocks();
  std::lock_guard lock(table.mutex);
  Block* block = find_locked(table, hMem);
  return block ? block->size : 0;
}

extern "C" HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
  Blocks& table = blocks();
  std::lock_guard lock(table.mutex);
  if (!find_locked(table, hMem)) return hMem;
  table.blocks.erase(hMem);
  return nullptr;
}
