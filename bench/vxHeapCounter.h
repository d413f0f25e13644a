// The counting heap of the parser benchmark. The program that links vxHeapCounter.cpp replaces
// the global operator new and delete. While a measurement is active they add and subtract the
// heap every block takes (malloc_usable_size and glibc's size word in front of the block), so a
// measurement knows the most heap bytes held at once above what was held when it started (the
// stack is not counted). Outside a measurement they only call malloc and free, so timed loops pay nothing
// for it. Measurements run on one thread at a time, so the counters need no atomics.
#pragma once

#include <cstddef>

namespace vxbench {

// Counts the heap from construction to destruction.
class THeapMeasurement {
public:
  THeapMeasurement();
  ~THeapMeasurement();
  THeapMeasurement(const THeapMeasurement&) = delete;
  THeapMeasurement& operator=(const THeapMeasurement&) = delete;

  // The most held at once above the start, and what is held now above it (may be negative).
  std::ptrdiff_t GetPeak() const;
  std::ptrdiff_t GetCurrent() const;
  // Blocks allocated since the start.
  size_t GetAllocations() const;
};

}  // namespace vxbench
