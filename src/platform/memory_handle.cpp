#include "platform/memory_handle.h"

#include <cstdint>
#include <cstdlib>

#if TWAINTRACE_ABI_LINUX_DSM

// The handle is the data address; a block of no bytes still gets an address of its own, since a
// null handle means that allocation failed.
char** NewMemoryHandle(size_t size) {
  return static_cast<char**>(calloc(1, size != 0 ? size : 1));
}

void DisposeMemoryHandle(char** handle) {
  free(handle);
}

char* LockMemoryHandle(char** handle) {
  return reinterpret_cast<char*>(handle);
}

void UnlockMemoryHandle(char** /*handle*/) {}

bool MemoryHandleSize(char** /*handle*/, size_t* /*size*/) {
  return false;
}

#else

namespace {

constexpr uint32_t kBlockMagic = 0x48646c42;  // "BldH"

// The handle is the address of `master`, so the header travels with every handle.
struct alignas(16) BlockHeader {
  char* master;
  uint64_t size;
  uint32_t magic;
  int32_t locks;
};

BlockHeader* HeaderOf(char** handle) {
  return reinterpret_cast<BlockHeader*>(handle);
}

}  // namespace

char** NewMemoryHandle(size_t size) {
  if (size > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
  auto* header = static_cast<BlockHeader*>(calloc(1, sizeof(BlockHeader) + size));
  if (header == nullptr) return nullptr;
  header->master = reinterpret_cast<char*>(header + 1);
  header->size = size;
  header->magic = kBlockMagic;
  return &header->master;
}

void DisposeMemoryHandle(char** handle) {
  if (handle == nullptr) return;
  HeaderOf(handle)->magic = 0;
  free(HeaderOf(handle));
}

char* LockMemoryHandle(char** handle) {
  if (handle == nullptr) return nullptr;
  if (HeaderOf(handle)->magic == kBlockMagic) ++HeaderOf(handle)->locks;
  return *handle;
}

void UnlockMemoryHandle(char** handle) {
  if (handle == nullptr) return;
  BlockHeader* header = HeaderOf(handle);
  if (header->magic == kBlockMagic && header->locks > 0) --header->locks;
}

int MemoryHandleLockCount(char** handle) {
  if (handle == nullptr || HeaderOf(handle)->magic != kBlockMagic) return 0;
  return HeaderOf(handle)->locks;
}

bool MemoryHandleSize(char** handle, size_t* size) {
  if (handle == nullptr || HeaderOf(handle)->magic != kBlockMagic) return false;
  *size = HeaderOf(handle)->size;
  return true;
}

#endif
