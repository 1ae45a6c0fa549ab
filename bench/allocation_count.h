// Counts every allocation made through the global operator new in this
// program, the pluginsdk library's included (the program's replacement is the
// one the whole process uses).
#pragma once

#include <cstdint>

namespace quillmark::bench {

// Allocations since the program started.
std::uint64_t allocationCount() noexcept;

}  // namespace quillmark::bench
