// Counts the heap allocations of the whole benchmark program, so a benchmark can show
// that its measured loop allocates nothing, and keeps the bytes they hold and their peak, so a
// benchmark can show how much memory a step needs at most. AllocationCounter.cpp holds the
// program's one replacement of the global operator new and delete; other benchmarks use this
// header instead of replacing them again. The GL driver's own memory (malloc) is not counted.
#pragma once

#include <cstddef>

class AllocationCounter {
 public:
  // Allocations made through operator new since the program started.
  static std::size_t allocations();
  // Bytes held by operator new allocations now, and the most held since the last resetPeak().
  static std::size_t liveBytes();
  static std::size_t peakBytes();
  static void resetPeak();
};
