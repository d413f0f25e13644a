// Runs N random user actions on a seed and prints how many it did per second; a failure is
// shrunk and printed with its seed as a sequence a test can replay. --replay FILE does the
// actions of FILE (one per line, as printed) instead.
#include "vxRandomUseGuards.h"
#include "vxRandomUseRun.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

using namespace vxrandom;

namespace {

int Usage() {
  std::cerr << "usage: vx_random_use [--seed N] [--actions N] [--no-shrink] [--verbose] | --replay FILE [--verbose]\n";
  return 2;
}

bool ReadActions(const std::string& Path, TvxUserActions& Actions) {
  std::ifstream File(Path);
  if (!File) return false;
  std::string Line;
  TvxUserAction Action;
  while (std::getline(File, Line))
    if (ParseUserAction(Line, Action)) Actions.push_back(Action);
  return true;
}

void PrintStatistics(const TvxRunStatistics& Statistics) {
  for (const auto& [Kind, Count] : Statistics.ActionsByKind) std::printf("  %-18s %6d\n", Kind.c_str(), Count);
  std::printf("refused by the model: %d; rows compared: %d, not compared (SQLite refused or over budget): %d\n",
              Statistics.Refusals, Statistics.RowComparisons, Statistics.RowSkips);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TvxGuardedApplication Application(argc, argv);
  InstallWarningTrap();
  InstallCrashReporter();

  std::uint64_t Seed = 1;
  int Count = 1000;
  bool Shrink = true;
  bool Verbose = false;
  std::string ReplayFile;
  for (int I = 1; I < argc; ++I) {
    const std::string Argument = argv[I];
    const bool HasValue = I + 1 < argc;
    if (Argument == "--seed" && HasValue)
      Seed = std::stoull(argv[++I]);
    else if (Argument == "--actions" && HasValue)
      Count = std::stoi(argv[++I]);
    else if (Argument == "--replay" && HasValue)
      ReplayFile = argv[++I];
    else if (Argument == "--no-shrink")
      Shrink = false;
    else if (Argument == "--verbose")
      Verbose = true;
    else
      return Usage();
  }

  TvxUserActions Replayed;
  if (!ReplayFile.empty() && !ReadActions(ReplayFile, Replayed)) {
    std::cerr << "vx_random_use: cannot read " << ReplayFile << "\n";
    return 1;
  }
  const auto Start = std::chrono::steady_clock::now();
  // Every action with the SQL after it when verbose, else a line every thousand actions.
  const TvxRandomUse::TProgress Progress = [Verbose](int Done, const TvxUserAction& Action, const std::string& SQL) {
    if (Verbose)
      std::printf("%d %s\n    %s\n", Done, Action.ToString().c_str(), SQL.c_str());
    else if (Done % 1000 == 0)
      std::fprintf(stderr, "%d actions\n", Done);
  };
  const TvxRunResult Result =
      ReplayFile.empty() ? TvxRandomUse::Run(Seed, Count, Progress) : TvxRandomUse::Replay(Replayed, Progress);
  const double Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  const size_t Done = Result.Actions.size();
  const std::string Origin = ReplayFile.empty() ? "seed " + std::to_string(Seed) : ReplayFile;
  std::printf("%s: %zu actions in %.2f s, %.1f actions/s\n", Origin.c_str(), Done, Seconds, Done / Seconds);
  PrintStatistics(Result.Statistics);
  if (!Result.Failure.IsFailure()) return 0;

  TvxUserActions Shrunk = Result.Actions;
  if (Shrink) Shrunk = TvxRandomUse::Shrink(Result.Actions, Result.Failure.Check);
  std::cout << TvxRandomUse::Report(Origin, Result, Shrunk, TvxRandomUse::Replay(Shrunk).Failure);
  return 1;
}
