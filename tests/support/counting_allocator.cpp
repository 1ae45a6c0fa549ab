// In a file of its own so that no caller's delete is inlined next to a new,
// which GCC would take for a mismatched pair.
#include "counting_allocator.h"

#include <cstdlib>
#include <new>

namespace quillmark::test {

namespace {
AllocationCounter counter;  // constant-initialized, so ready before any allocation
}  // namespace

AllocationCounter& allocationCounter() noexcept { return counter; }

}  // namespace quillmark::test

using quillmark::test::counter;

void* operator new(std::size_t size) {
  if (counter.succeedBeforeFailing == 0) {
    counter.succeedBeforeFailing = -1;
    throw std::bad_alloc();
  }
  if (counter.succeedBeforeFailing > 0) --counter.succeedBeforeFailing;
  void* memory = std::malloc(size == 0 ? 1 : size);
  if (memory == nullptr) throw std::bad_alloc();
  if (std::vector<std::size_t>* sizes = counter.sizes; sizes != nullptr) {
    counter.sizes = nullptr;  // the vector's own growth is not the caller's
    sizes->push_back(size);
    counter.sizes = sizes;
  }
  ++counter.live;
  return memory;
}

void operator delete(void* memory) noexcept {
  if (memory == nullptr) return;
  --counter.live;
  std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
