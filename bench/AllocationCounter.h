// Counts the heap allocations of the whole benchmark program, so a benchmark can show
// that its measured loop allocates nothing. AllocationCounter.cpp holds the program's one
// replacement of the global operator new and delete; other benchmarks use this header
// instead of replacing them again.
#pragma once

#include <cstddef>

class AllocationCounter {
 public:
  // Allocations made through operator new since the program started.
  static std::size_t allocations();
};
