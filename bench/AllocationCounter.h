// Counts the program's own heap allocations (operator new) so that a benchmark can show that
// a loop allocates nothing.
#pragma once

#include <cstdint>

namespace bench {

// Allocations through operator new since the process started.
std::uint64_t AllocationCount();

}  // namespace bench
