#include "vxRandomUseRun.h"

#include "vxActionKinds.h"
#include "vxRandomUseGuards.h"
#include "vxRandomUseRig.h"

#include "vxCommon.h"

#include <QApplication>

#include <typeinfo>

namespace vxrandom {
namespace {

// The component of one run, its checks and what was done so far.
class TRunner {
public:
  explicit TRunner(const std::string& Label) : FLabel(Label) {
    // Warnings left from before the run (the rig's set-up, an earlier run) are not its own.
    TakeQtWarnings();
    TakeEscapedExceptions();
  }

  // Does Action and checks the component; false when a promise broke.
  bool Step(const TvxUserAction& Action) {
    FResult.Actions.push_back(Action);
    ++FResult.Statistics.ActionsByKind[Action.Kind];
    const TvxActionKind* Kind = FindActionKind(Action.Kind);
    if (Kind == nullptr) {
      FResult.Failure = {"replay", "no action kind " + Action.Kind};
      return false;
    }
    SetCrashContext(FLabel + ", action " + std::to_string(FResult.Actions.size()) + ": " + Action.ToString());
    TvxActionOutcome Outcome;
    Outcome.SQLBefore = FRig.GetQueryBuilder().GetSQL();
    FRig.TakeReports();
    try {
      Kind->Do(FRig, Action);
    } catch (const EvxException& Error) {
      if (Kind->ModelCall) {
        Outcome.Refused = true;
        Outcome.RefusalMessage = Error.what();
      } else {
        Outcome.UnexpectedException = Error.what();
      }
    } catch (const std::exception& Error) {
      Outcome.UnexpectedException = std::string(typeid(Error).name()) + ": " + Error.what();
    }
    // The posted load of assigned SQL, and what goes once the event loop runs.
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    for (const std::string& Report : FRig.TakeReports()) {
      Outcome.Refused = true;
      Outcome.RefusalMessage += (Outcome.RefusalMessage.empty() ? "" : "; ") + Report;
    }
    if (Outcome.Refused) ++FResult.Statistics.Refusals;
    FResult.Failure = FChecks.Check(FRig, Outcome);
    return !FResult.Failure.IsFailure();
  }

  TRandomUseRig& GetRig() { return FRig; }
  TvxRunResult Finish() {
    FResult.Statistics.RowComparisons = FChecks.GetRowComparisons();
    FResult.Statistics.RowSkips = FChecks.GetRowSkips();
    SetCrashContext({});
    return std::move(FResult);
  }

private:
  std::string FLabel;
  TRandomUseRig FRig;
  TvxStateChecks FChecks;
  TvxRunResult FResult;
};

// Whether Actions still fail Check.
bool FailsWith(const TvxUserActions& Actions, const std::string& Check) {
  return TvxRandomUse::Replay(Actions).Failure.Check == Check;
}

}  // namespace

TvxRunResult TvxRandomUse::Run(std::uint64_t Seed, int Count, const TProgress& Progress) {
  TRunner Runner("seed " + std::to_string(Seed));
  TvxRandom Random(Seed);
  for (int Done = 0; Done < Count; ++Done) {
    const TvxUserAction Action = MakeRandomAction(Random, Runner.GetRig());
    if (!Runner.Step(Action)) break;
    if (Progress) Progress(Done + 1, Action, Runner.GetRig().GetQueryBuilder().GetSQL());
  }
  return Runner.Finish();
}

TvxRunResult TvxRandomUse::Replay(const TvxUserActions& Actions, const TProgress& Progress) {
  TRunner Runner("replay");
  int Done = 0;
  for (const TvxUserAction& Action : Actions) {
    if (!Runner.Step(Action)) break;
    if (Progress) Progress(++Done, Action, Runner.GetRig().GetQueryBuilder().GetSQL());
  }
  return Runner.Finish();
}

TvxUserActions TvxRandomUse::Shrink(const TvxUserActions& Actions, const std::string& Check, int MaxReplays) {
  // Delta debugging (ddmin): drop ever smaller chunks while the rest still fails the same way.
  TvxUserActions Current = Actions;
  size_t Chunks = 2;
  int Replays = 0;
  while (Current.size() >= 2 && Replays < MaxReplays) {
    const size_t Size = (Current.size() + Chunks - 1) / Chunks;
    bool Reduced = false;
    for (size_t Start = 0; Start < Current.size() && Replays < MaxReplays; Start += Size) {
      TvxUserActions Rest(Current.begin(), Current.begin() + static_cast<std::ptrdiff_t>(Start));
      Rest.insert(Rest.end(), Current.begin() + static_cast<std::ptrdiff_t>(std::min(Current.size(), Start + Size)),
                  Current.end());
      ++Replays;
      if (!Rest.empty() && FailsWith(Rest, Check)) {
        Current = std::move(Rest);
        Chunks = std::max<size_t>(Chunks - 1, 2);
        Reduced = true;
        break;
      }
    }
    if (!Reduced) {
      if (Size == 1) break;
      Chunks = std::min(Chunks * 2, Current.size());
    }
  }
  return Current;
}

std::string TvxRandomUse::Report(const std::string& Origin, const TvxRunResult& Result, const TvxUserActions& Shrunk,
                                 const TvxCheckFailure& ShrunkFailure) {
  std::string Text = "random use failed on " + Origin + " at action " + std::to_string(Result.Actions.size()) + " [" +
                     Result.Failure.Check + "]: " + Result.Failure.Message + "\n";
  Text += "shortest failing sequence (" + std::to_string(Shrunk.size()) +
          " actions), which fails with: " + ShrunkFailure.Message + "\n";
  return Text + "  const TvxUserActions Actions = {\n" + ToString(Shrunk) + "  };\n";
}

}  // namespace vxrandom
