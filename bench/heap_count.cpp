// Counts heap bytes by standing in for malloc and its kin over glibc's own
// entry points; the benchmark is never built with sanitizers, which would
// want these names for themselves.
#include "bench/heap_count.h"

#include <malloc.h>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {
long long held = 0;
long long start = 0;
long long peak = 0;

void* Taken(void* block) {
  if (block) {
    held += static_cast<long long>(malloc_usable_size(block));
    if (held > peak) peak = held;
  }
  return block;
}

void Given(void* block) {
  if (block) held -= static_cast<long long>(malloc_usable_size(block));
}
}  // namespace

extern "C" {
void* malloc(std::size_t size) { return Taken(__libc_malloc(size)); }
void* calloc(std::size_t count, std::size_t size) { return Taken(__libc_calloc(count, size)); }
void* realloc(void* block, std::size_t size) {
  Given(block);
  return Taken(__libc_realloc(block, size));
}
void* memalign(std::size_t alignment, std::size_t size) {
  return Taken(__libc_memalign(alignment, size));
}
void* aligned_alloc(std::size_t alignment, std::size_t size) { return memalign(alignment, size); }
int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
  *block = memalign(alignment, size);
  return *block ? 0 : 12;  // ENOMEM
}
void free(void* block) {
  Given(block);
  __libc_free(block);
}
}

void StartHeapCount() { start = peak = held; }
std::size_t PeakHeapGrowth() { return static_cast<std::size_t>(peak - start); }
