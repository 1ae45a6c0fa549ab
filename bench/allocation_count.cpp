// Replacements of the global operator new and delete that count allocations.
//
// The count is a relaxed load and store rather than an atomic increment: the
// benchmarks run on one thread, and a locked increment would add its own cost
// to every allocation the figures count.

#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace quillmark::bench {
namespace {

std::atomic<std::uint64_t> allocations{0};

void* allocate(std::size_t size) {
  allocations.store(allocations.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
  allocations.store(allocations.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  const auto align = static_cast<std::size_t>(alignment);
  // aligned_alloc wants a size that is a multiple of the alignment.
  const std::size_t rounded = (size + align - 1) / align * align;
  if (void* block = std::aligned_alloc(align, rounded == 0 ? align : rounded)) return block;
  throw std::bad_alloc();
}

}  // namespace

std::uint64_t allocationCount() noexcept { return allocations.load(std::memory_order_relaxed); }

}  // namespace quillmark::bench

using quillmark::bench::allocate;
using quillmark::bench::allocateAligned;

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocateAligned(size, alignment);
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
