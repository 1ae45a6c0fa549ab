// A global allocator for tests that counts allocations and can fail one.
//
// The program that links failing_allocator.cpp replaces every form of global
// operator new and delete (plain, array, sized, aligned, nothrow), so the
// plugin's, the SDK library's and the standard library's allocations all pass
// through it. Only allocations made while it is armed are counted and may be
// failed, so a test keeps its own bookkeeping outside the armed span.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillmark::test::allocator {

// Arms counting; the allocation numbered `failAt` (1-based, counted from
// now) throws std::bad_alloc, or returns null for the nothrow forms. 0 counts
// without failing.
void arm(std::uint64_t failAt) noexcept;
// Stops counting and failing; returns how many allocations were counted.
std::uint64_t disarm() noexcept;
// Whether the armed failure has happened since the last arm.
bool failed() noexcept;

// Called once, at the failing allocation, before it throws: lets a test note
// what had happened up to the failure point. Must not allocate.
using FailureHook = void (*)(void* context) noexcept;
void onFailure(FailureHook hook, void* context) noexcept;

// Allocations minus deallocations over the whole program, so a test can see
// whether a span of code left something allocated.
std::int64_t outstanding() noexcept;

}  // namespace quillmark::test::allocator
