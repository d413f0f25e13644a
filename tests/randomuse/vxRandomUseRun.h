// Random use of the whole component: a seeded sequence of user actions on a fresh component,
// every promise checked after each action, and a failing sequence shrunk to the shortest one
// found that still fails the same way, printed so that a test can replay it.
#pragma once

#include "vxStateChecks.h"
#include "vxUserAction.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace vxrandom {

struct TvxRunStatistics {
  std::map<std::string, int> ActionsByKind;
  int Refusals = 0;
  int RowComparisons = 0;
  int RowSkips = 0;
};

struct TvxRunResult {
  TvxUserActions Actions;  // the actions done, the failing one last
  TvxCheckFailure Failure;
  TvxRunStatistics Statistics;
};

class TvxRandomUse {
public:
  // Called after every action that passed its checks: the number done, the action, the
  // component's SQL after it.
  using TProgress = std::function<void(int Done, const TvxUserAction& Action, const std::string& SQL)>;

  // Count actions drawn from Seed on a fresh component; the run stops at the first failure.
  static TvxRunResult Run(std::uint64_t Seed, int Count, const TProgress& Progress = {});
  // Actions done in order on a fresh component, with the same checks.
  static TvxRunResult Replay(const TvxUserActions& Actions, const TProgress& Progress = {});
  // The shortest part of Actions found (delta debugging, at most MaxReplays replays) that
  // still fails the check Check.
  static TvxUserActions Shrink(const TvxUserActions& Actions, const std::string& Check, int MaxReplays = 400);
  // What a failing run prints: what ran (Origin: "seed 7", a file name), the failure, and the
  // shrunk sequence ready to paste into a TvxUserActions initializer.
  static std::string Report(const std::string& Origin, const TvxRunResult& Result, const TvxUserActions& Shrunk,
                            const TvxCheckFailure& ShrunkFailure);
};

}  // namespace vxrandom
