#include "allocation_counter.h"

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(__SANITIZE_MEMORY__)
#define TWAINTRACE_BENCH_COUNT_ALLOCATIONS 0
#else
#define TWAINTRACE_BENCH_COUNT_ALLOCATIONS 1
#endif

namespace {
// One thread calls the data source; a plain counter suffices and adds no cost of its own.
uint64_t g_allocations = 0;
}  // namespace

uint64_t AllocationCount() {
  return __atomic_load_n(&g_allocations, __ATOMIC_RELAXED);
}

bool AllocationsCounted() {
  return TWAINTRACE_BENCH_COUNT_ALLOCATIONS != 0;
}

#if TWAINTRACE_BENCH_COUNT_ALLOCATIONS
// The C library's own allocator, which these definitions pass every request on to. Defined in
// the executable, they take the place of the library's for every loaded object.
#define COUNTING_EXPORT __attribute__((visibility("default")))

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* pointer);

static void Count() {
  __atomic_fetch_add(&g_allocations, 1, __ATOMIC_RELAXED);
}

COUNTING_EXPORT void* malloc(size_t size) noexcept {
  Count();
  return __libc_malloc(size);
}

COUNTING_EXPORT void* calloc(size_t count, size_t size) noexcept {
  Count();
  return __libc_calloc(count, size);
}

COUNTING_EXPORT void* realloc(void* pointer, size_t size) noexcept {
  Count();
  return __libc_realloc(pointer, size);
}

COUNTING_EXPORT void free(void* pointer) noexcept {
  __libc_free(pointer);
}

COUNTING_EXPORT void* memalign(size_t alignment, size_t size) noexcept {
  Count();
  return __libc_memalign(alignment, size);
}

COUNTING_EXPORT void* aligned_alloc(size_t alignment, size_t size) noexcept {
  Count();
  return __libc_memalign(alignment, size);
}

COUNTING_EXPORT int posix_memalign(void** out, size_t alignment, size_t size) noexcept {
  if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return 22;  // EINVAL
  Count();
  void* pointer = __libc_memalign(alignment, size);
  if (pointer == nullptr && size != 0) return 12;  // ENOMEM
  *out = pointer;
  return 0;
}
}
#endif
