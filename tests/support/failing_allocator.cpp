// The replaced global operator new and delete behind failing_allocator.h.
//
// Every form ends in malloc/aligned_alloc and free, which sanitizers
// intercept, so leak and overflow checks keep working under them.

#include "failing_allocator.h"

#include <atomic>
#include <cstdlib>
#if defined(_WIN32)
#include <malloc.h>
#endif
#include <new>

namespace quillmark::test::allocator {
namespace {

std::atomic<bool> armed{false};
std::atomic<bool> hasFailed{false};
std::atomic<std::uint64_t> failAtNumber{0};
std::atomic<std::uint64_t> counted{0};
std::atomic<std::int64_t> live{0};
std::atomic<FailureHook> hook{nullptr};
std::atomic<void*> hookContext{nullptr};

// True when this allocation is the one to fail.
bool countAndDecide() noexcept {
  if (!armed.load(std::memory_order_relaxed)) return false;
  const std::uint64_t number = counted.fetch_add(1) + 1;
  if (number != failAtNumber.load()) return false;
  hasFailed = true;
  if (FailureHook call = hook.load()) call(hookContext.load());
  return true;
}

void* allocate(std::size_t size, std::size_t alignment) noexcept {
  if (countAndDecide()) return nullptr;
  if (size == 0) size = 1;
  void* memory = nullptr;
#if defined(_WIN32)
  // Windows has no aligned_alloc; its aligned allocator serves every size,
  // and release() frees everything with its matching free.
  memory = _aligned_malloc(size, alignment < alignof(std::max_align_t) ? alignof(std::max_align_t)
                                                                       : alignment);
#else
  if (alignment <= alignof(std::max_align_t)) {
    memory = std::malloc(size);
  } else {
    // aligned_alloc wants a size that is a multiple of the alignment.
    memory = std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
  }
#endif
  if (memory != nullptr) ++live;
  return memory;
}

void* allocateOrThrow(std::size_t size, std::size_t alignment) {
  void* memory = allocate(size, alignment);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

void release(void* memory) noexcept {
  if (memory == nullptr) return;
  --live;
#if defined(_WIN32)
  _aligned_free(memory);
#else
  std::free(memory);
#endif
}

}  // namespace

void arm(std::uint64_t failAt) noexcept {
  counted = 0;
  hasFailed = false;
  failAtNumber = failAt;
  armed = true;
}

std::uint64_t disarm() noexcept {
  armed = false;
  return counted.load();
}

bool failed() noexcept { return hasFailed.load(); }

void onFailure(FailureHook call, void* context) noexcept {
  hookContext = context;
  hook = call;
}

std::int64_t outstanding() noexcept { return live.load(); }

}  // namespace quillmark::test::allocator

using quillmark::test::allocator::allocate;
using quillmark::test::allocator::allocateOrThrow;
using quillmark::test::allocator::release;

namespace {
constexpr std::size_t kPlain = alignof(std::max_align_t);
std::size_t value(std::align_val_t alignment) { return static_cast<std::size_t>(alignment); }
}  // namespace

void* operator new(std::size_t size) { return allocateOrThrow(size, kPlain); }
void* operator new[](std::size_t size) { return allocateOrThrow(size, kPlain); }
void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocateOrThrow(size, value(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocateOrThrow(size, value(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size, kPlain);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocate(size, value(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return allocate(size, value(alignment));
}

void operator delete(void* memory) noexcept { release(memory); }
void operator delete[](void* memory) noexcept { release(memory); }
void operator delete(void* memory, std::size_t) noexcept { release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { release(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { release(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { release(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { release(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { release(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { release(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { release(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  release(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
  release(memory);
}
