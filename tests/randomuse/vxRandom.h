// The seeded random source of a run: the same seed gives the same actions on every machine,
// since the draws are taken from the engine's raw output, not from the library's distributions.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace vxrandom {

class TvxRandom {
public:
  explicit TvxRandom(std::uint64_t Seed) : FEngine(Seed) {}

  // 0 .. Count - 1 (0 for a Count below 1).
  int Below(int Count) { return Count < 1 ? 0 : static_cast<int>(FEngine() % static_cast<std::uint64_t>(Count)); }
  bool Chance(int Percent) { return Below(100) < Percent; }
  template <class T>
  const T& Pick(const std::vector<T>& Items) {
    return Items[static_cast<size_t>(Below(static_cast<int>(Items.size())))];
  }

private:
  std::mt19937_64 FEngine;
};

}  // namespace vxrandom
