#include "common/host_memory.h"

#include <map>
#include <mutex>

#include "platform/memory_handle.h"

namespace {

struct Block {
  size_t size;
  int locks;
};

std::mutex g_mutex;
std::map<TW_HANDLE, Block>& Blocks() {
  static std::map<TW_HANDLE, Block> blocks;
  return blocks;
}

Block* Find(TW_HANDLE handle) {
  auto found = Blocks().find(handle);
  return found != Blocks().end() ? &found->second : nullptr;
}

}  // namespace

TW_HANDLE HostMemory::Allocate(TW_UINT32 size) {
  TW_HANDLE handle = NewMemoryHandle(size);
  if (handle == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(g_mutex);
  Blocks()[handle] = Block{size, 0};
  return handle;
}

void HostMemory::Free(TW_HANDLE handle) {
  if (handle == nullptr) return;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    Blocks().erase(handle);
  }
  DisposeMemoryHandle(handle);
}

TW_MEMREF HostMemory::Lock(TW_HANDLE handle) {
  if (handle == nullptr) return nullptr;
  if (!kHandlesKnowTheirBlock) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (Block* block = Find(handle)) ++block->locks;
  }
  return LockMemoryHandle(handle);
}

void HostMemory::Unlock(TW_HANDLE handle) {
  if (handle == nullptr) return;
  if (!kHandlesKnowTheirBlock) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Block* block = Find(handle);
    if (block != nullptr && block->locks > 0) --block->locks;
  }
  UnlockMemoryHandle(handle);
}

bool HostMemory::Size(TW_HANDLE handle, size_t* size) {
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (const Block* block = Find(handle)) {
      *size = block->size;
      return true;
    }
  }
  return handle != nullptr && MemoryHandleSize(handle, size);
}

int HostMemory::LockCount(TW_HANDLE handle) {
#if TWAINTRACE_ABI_LINUX_DSM
  std::lock_guard<std::mutex> lock(g_mutex);
  const Block* block = Find(handle);
  return block != nullptr ? block->locks : 0;
#else
  return MemoryHandleLockCount(handle);
#endif
}

size_t HostMemory::LiveBlocks() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return Blocks().size();
}

TW_ENTRYPOINT HostMemory::EntryPoint(DSMENTRYPROC managerEntry) {
  TW_ENTRYPOINT entryPoint{};
  entryPoint.Size = sizeof(TW_ENTRYPOINT);
  entryPoint.DSM_Entry = managerEntry;
  entryPoint.DSM_MemAllocate = &HostMemory::Allocate;
  entryPoint.DSM_MemFree = &HostMemory::Free;
  entryPoint.DSM_MemLock = &HostMemory::Lock;
  entryPoint.DSM_MemUnlock = &HostMemory::Unlock;
  return entryPoint;
}
