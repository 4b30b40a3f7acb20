#include "shell/process_resources.h"

#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define TWAINTRACE_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TWAINTRACE_TEST_ASAN 1
#endif
#endif

namespace {

std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

void Counted() {
  if (g_counting) ++g_allocations;
}

}  // namespace

#ifdef TWAINTRACE_TEST_ASAN

// The sanitizer owns malloc; it reports heap use and calls hooks on every allocation.
extern const bool kSanitizerOwnsTheHeap = true;
extern "C" size_t __sanitizer_get_current_allocated_bytes();
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                         void (*)(const volatile void*));

namespace {

size_t HeapBytes() {
  return __sanitizer_get_current_allocated_bytes();
}

// Both hooks are needed: the sanitizer installs none with only one of them.
void InstallHooks() {
  static const bool installed =
      __sanitizer_install_malloc_and_free_hooks([](const volatile void*, size_t) { Counted(); },
                                                [](const volatile void*) {}) != 0;
  if (!installed) abort();
}

}  // namespace

#else

// The C library's allocator under its internal names, wrapped so that every allocation of the
// process, the data source's included, passes through a counter, and the bytes of the live
// blocks are known exactly (the allocator's own statistics count cached free blocks as used).
// operator new ends in malloc.
extern const bool kSanitizerOwnsTheHeap = false;
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<size_t> g_liveBytes{0};

void* Allocated(void* block) {
  Counted();
  if (block != nullptr) g_liveBytes.fetch_add(malloc_usable_size(block));
  return block;
}

size_t HeapBytes() {
  return g_liveBytes.load();
}

void InstallHooks() {}

}  // namespace

extern "C" {
void* malloc(size_t size) {
  return Allocated(__libc_malloc(size));
}
void* calloc(size_t count, size_t size) {
  return Allocated(__libc_calloc(count, size));
}
void* realloc(void* block, size_t size) {
  const size_t before = block != nullptr ? malloc_usable_size(block) : 0;
  void* moved = __libc_realloc(block, size);
  // A failed realloc keeps the block, except that of size 0, which frees it.
  if (moved != nullptr || size == 0) g_liveBytes.fetch_sub(before);
  return moved != nullptr ? Allocated(moved) : nullptr;
}
void* memalign(size_t alignment, size_t size) {
  return Allocated(__libc_memalign(alignment, size));
}
void* aligned_alloc(size_t alignment, size_t size) {
  return Allocated(__libc_memalign(alignment, size));
}
int posix_memalign(void** out, size_t alignment, size_t size) {
  if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
  *out = memalign(alignment, size);
  return *out != nullptr ? 0 : ENOMEM;
}
void free(void* block) {
  if (block != nullptr) g_liveBytes.fetch_sub(malloc_usable_size(block));
  __libc_free(block);
}
}

#endif

// The heap is read first, before this function's own allocations.
ProcessResources MeasureProcess() {
  namespace fs = std::filesystem;
  ProcessResources resources{HeapBytes(), 0, 0, 0, 0};
  resources.descriptors = static_cast<int>(
      std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
  std::ifstream maps("/proc/self/maps");
  for (std::string line; std::getline(maps, line); ++resources.mappings) {
    resources.fileMappings += line.find('/') != std::string::npos;
  }
  size_t size = 0, pages = 0;
  std::ifstream("/proc/self/statm") >> size >> pages;
  resources.residentBytes = pages * static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return resources;
}

void StartCountingAllocations() {
  InstallHooks();
  g_allocations = 0;
  g_counting = true;
}

long StopCountingAllocations() {
  g_counting = false;
  return g_allocations;
}
