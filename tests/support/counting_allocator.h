// A replacement of the global operator new and delete, for a test program
// that needs to see and fail allocations. Linking counting_allocator.cpp into
// a program replaces them for all of it.
#pragma once

#include <cstddef>
#include <vector>

namespace quillmark::test {

struct AllocationCounter {
  std::ptrdiff_t live = 0;                    // allocations not yet freed
  std::ptrdiff_t succeedBeforeFailing = -1;   // then one throws bad_alloc; -1: never
  std::vector<std::size_t>* sizes = nullptr;  // while set, each size asked is noted here
};

// The program's one counter, which the replaced operators consult.
AllocationCounter& allocationCounter() noexcept;

}  // namespace quillmark::test
