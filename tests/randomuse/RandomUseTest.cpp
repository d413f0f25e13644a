// A thousand seeded user actions break nothing, and the sequences that once did replay clean.
#include "vxRandomUseRun.h"

#include <gtest/gtest.h>

namespace vxrandom {
namespace {

// Fails the test with the seed and the shrunk sequence when Result failed.
void ExpectClean(std::uint64_t Seed, const TvxRunResult& Result) {
  if (!Result.Failure.IsFailure()) return;
  const TvxUserActions Shrunk = TvxRandomUse::Shrink(Result.Actions, Result.Failure.Check);
  ADD_FAILURE() << TvxRandomUse::Report("seed " + std::to_string(Seed), Result, Shrunk,
                                        TvxRandomUse::Replay(Shrunk).Failure);
}

TEST(RandomUse, AThousandActionsOnAFixedSeedBreakNothing) {
  constexpr std::uint64_t Seed = 16;
  const TvxRunResult Result = TvxRandomUse::Run(Seed, 1000);
  ExpectClean(Seed, Result);
  // A run that only refuses or never compares rows would check little.
  EXPECT_GT(Result.Statistics.RowComparisons, 100);
}

TEST(RandomUse, PrintedActionsReadBackAsTheyWere) {
  const TvxUserAction Actions[] = {
      {"AssignSQL", {}, "SELECT 'it''s' AS \"q\"\r\n\tFROM t -- \\ \x01\xC3\xA9"},
      {"AddLink", {0, -3, 12, 7}, ""},
  };
  for (const TvxUserAction& Action : Actions) {
    TvxUserAction Read;
    ASSERT_TRUE(ParseUserAction(Action.ToString() + ",", Read)) << Action.ToString();
    EXPECT_EQ(Read, Action) << Action.ToString();
  }
  TvxUserAction Read;
  EXPECT_FALSE(ParseUserAction("{\"AddLink\", {1 2}, \"\"}", Read));
}

}  // namespace
}  // namespace vxrandom
