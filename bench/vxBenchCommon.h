// Pieces the throughput benchmarks share: the byte loop against which their rates are set, and
// a console reporter that keeps every run's rates for the summary printed after the runs.
#pragma once

#include <benchmark/benchmark.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vxbench {

// One table look-up per byte and a count of class changes (blank, letter or digit, other),
// which the compiler cannot turn into a block copy: the least work any tokeniser does per byte.
inline unsigned CountClassChanges(std::string_view Text) {
  static const std::array<uint8_t, 256> Classes = [] {
    std::array<uint8_t, 256> Table{};
    for (int C = 0; C < 256; ++C) Table[C] = static_cast<uint8_t>(std::isalnum(C) ? 1 : (C <= ' ' ? 0 : 2));
    return Table;
  }();
  unsigned Changes = 0;
  uint8_t Previous = 0;
  for (unsigned char C : Text) {
    const uint8_t Class = Classes[C];
    Changes += Class != Previous;
    Previous = Class;
  }
  return Changes;
}

// Keeps the byte and item rates (per second) of every run for the summary. With repetitions the
// median stands for the benchmark; without, its only run does.
class TRateReporter : public benchmark::ConsoleReporter {
public:
  struct TRates {
    double Bytes = 0.0, Items = 0.0;
  };

  void ReportRuns(const std::vector<Run>& Runs) override {
    for (const Run& R : Runs) {
      if (R.run_type != Run::RT_Iteration && R.aggregate_name != "median") continue;
      auto Counter = [&R](const char* Name) {
        const auto Found = R.counters.find(Name);
        return Found == R.counters.end() ? 0.0 : static_cast<double>(Found->second);
      };
      FRates[R.run_name.str()] = {Counter("bytes_per_second"), Counter("items_per_second")};
    }
    ConsoleReporter::ReportRuns(Runs);
  }

  // The rates of the run registered as "<Loop>/<Input>"; zero when it did not run (filtered
  // out on the command line) or reported no such rate.
  TRates Get(const std::string& Loop, const std::string& Input) const {
    const auto Found = FRates.find(Loop + "/" + Input);
    return Found == FRates.end() ? TRates() : Found->second;
  }

private:
  std::map<std::string, TRates> FRates;
};

}  // namespace vxbench
