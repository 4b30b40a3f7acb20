#include "platform/memory_handle.h"

#include <atomic>
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

bool MadeHere(char** /*handle*/) {
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

// The blocks made in this image and not freed here, by handle address alone: a handle is
// looked up without reading a byte of it, since another maker's handle may be a block no
// larger than its master pointer. Open addressing; a freed slot keeps probing going. A block
// made while the table is full is simply not known here, and is read as another maker's.
// Blocks are made and freed on any thread; every slot is claimed and read atomically, so a
// look-up on the trace path takes no lock.
constexpr size_t kSlots = 4096;
constexpr uintptr_t kEmpty = 0;
constexpr uintptr_t kFreed = 1;
std::atomic<uintptr_t> g_made[kSlots] = {};

size_t FirstSlot(uintptr_t address) {
  return static_cast<size_t>((address >> 4) * 0x9E3779B97F4A7C15ULL >> 52) % kSlots;
}

// Calls `visit` with each slot of `address`'s probe sequence until it returns false.
template <typename Visit>
void Probe(uintptr_t address, Visit visit) {
  size_t slot = FirstSlot(address);
  for (size_t i = 0; i < kSlots; ++i, slot = (slot + 1) % kSlots) {
    if (!visit(g_made[slot])) return;
  }
}

void RememberMade(char** handle) {
  auto address = reinterpret_cast<uintptr_t>(handle);
  Probe(address, [address](std::atomic<uintptr_t>& slot) {
    uintptr_t seen = slot.load(std::memory_order_relaxed);
    if (seen != kEmpty && seen != kFreed) return true;
    return !slot.compare_exchange_strong(seen, address, std::memory_order_release);
  });
}

void ForgetMade(char** handle) {
  auto address = reinterpret_cast<uintptr_t>(handle);
  Probe(address, [address](std::atomic<uintptr_t>& slot) {
    uintptr_t seen = slot.load(std::memory_order_relaxed);
    if (seen == address) {
      slot.store(kFreed, std::memory_order_release);
      return false;
    }
    return seen != kEmpty;
  });
}

}  // namespace

bool MadeHere(char** handle) {
  if (handle == nullptr) return false;
  auto address = reinterpret_cast<uintptr_t>(handle);
  bool found = false;
  Probe(address, [address, &found](std::atomic<uintptr_t>& slot) {
    uintptr_t seen = slot.load(std::memory_order_acquire);
    found = seen == address;
    return !found && seen != kEmpty;
  });
  return found;
}

char** NewMemoryHandle(size_t size) {
  if (size > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
  auto* header = static_cast<BlockHeader*>(calloc(1, sizeof(BlockHeader) + size));
  if (header == nullptr) return nullptr;
  header->master = reinterpret_cast<char*>(header + 1);
  header->size = size;
  header->magic = kBlockMagic;
  RememberMade(&header->master);
  return &header->master;
}

void DisposeMemoryHandle(char** handle) {
  if (handle == nullptr) return;
  ForgetMade(handle);
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

// Here a lock is counted (the natural interface) or not kept at all (the Linux source
// manager's): a lock and an unlock leave either as they found it.
bool LockedByItsOwner(char** /*handle*/) {
  return false;
}
