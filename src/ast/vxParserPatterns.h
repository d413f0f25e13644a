// The four patterns of the way calculation, as the generated parsers use them: a sequence is
// plain code; options, repetitions and choices are the classes below. Each splits the ways of
// one decision by the decision's look-ahead masks. With a single way and a single viable
// alternative (the usual case) it works on the caller's list in place and records nothing;
// otherwise every viable alternative of an ambiguous way gets a way point, and the results are
// joined in the order that decides ambiguities: present options before absent ones, fewer
// repetitions first, earlier alternatives first.
#pragma once

#include "vxParserWays.h"

// Opens a production: the nesting check and the chance to reclaim way points. Levels is the
// production's count of nesting levels (LEVELS in the grammar).
class TvxProductionScope {
public:
  TvxProductionScope(TvxWayParser& Parser, const TvxWays& Ways, int Levels = 1) : FParser(Parser), FLevels(Levels) {
    Parser.EnterNesting(Ways.front().TokenIndex + 1, Levels);
    Parser.MaybeCompact();
    if (++Parser.FCalls > Parser.FMemoFrom) Parser.FMemoizing = true;
  }
  ~TvxProductionScope() { FParser.LeaveNesting(FLevels); }
  TvxProductionScope(const TvxProductionScope&) = delete;
  TvxProductionScope& operator=(const TvxProductionScope&) = delete;

private:
  TvxWayParser& FParser;
  int FLevels;
};

// Opens a production of the replay: the same nesting check as the way calculation.
class TvxReplayScope {
public:
  explicit TvxReplayScope(TvxWayParser& Parser, int Levels = 1) : FParser(Parser), FLevels(Levels) {
    Parser.EnterNesting(Parser.FTokenIndex + 1, Levels);
  }
  ~TvxReplayScope() { FParser.LeaveNesting(FLevels); }
  TvxReplayScope(const TvxReplayScope&) = delete;
  TvxReplayScope& operator=(const TvxReplayScope&) = delete;

private:
  TvxWayParser& FParser;
  int FLevels;
};

// [ X ]: Take() is the list that runs X (null when no way takes it); Finish() joins the ways
// that took X before those that skipped it.
template <bool Fast>
class TvxOption {
public:
  TvxOption(TvxWayParser& Parser, TvxWays& Ways, const TvxDecision& Decision, uint32_t Guard, TvxResolver Resolve);
  ~TvxOption() { FParser.ReleaseLists(FAcquired); }
  TvxOption(const TvxOption&) = delete;
  TvxOption& operator=(const TvxOption&) = delete;

  TvxWays* Take() const { return FTake; }
  void Finish();

private:
  TvxWayParser& FParser;
  TvxWays& FWays;
  TvxWays* FTake = nullptr;
  TvxWays* FSkip = nullptr;
  size_t FAcquired = 0;
};

// { X }: while Next() is true, X runs on Ways(); afterwards the caller's list holds every way
// that stopped, those with fewer iterations first.
template <bool Fast>
class TvxRepeat {
public:
  TvxRepeat(TvxWayParser& Parser, TvxWays& Ways, const TvxDecision& Decision, uint32_t Guard, TvxResolver Resolve)
      : FParser(Parser), FWays(Ways), FDecision(Decision), FGuard(Guard), FResolve(Resolve) {}
  ~TvxRepeat() { FParser.ReleaseLists(FAcquired); }
  TvxRepeat(const TvxRepeat&) = delete;
  TvxRepeat& operator=(const TvxRepeat&) = delete;

  bool Next();
  TvxWays& Ways() const { return FWays; }

private:
  bool Stop();

  TvxWayParser& FParser;
  TvxWays& FWays;
  const TvxDecision& FDecision;
  uint32_t FGuard;
  TvxResolver FResolve;
  TvxWays* FDone = nullptr;
  size_t FAcquired = 0;
};

// ( X0 | X1 | ... ): Next() gives the alternatives that have ways, in order, and Ways() the list
// to run each on; once Next() returns -1 the caller's list holds the joined results.
template <bool Fast>
class TvxChoice {
public:
  static constexpr int MaxAlternatives = 15;

  TvxChoice(TvxWayParser& Parser, TvxWays& Ways, const TvxDecision& Decision, uint32_t Guard, TvxResolver Resolve,
            int Count);
  ~TvxChoice() { FParser.ReleaseLists(FAcquired); }
  TvxChoice(const TvxChoice&) = delete;
  TvxChoice& operator=(const TvxChoice&) = delete;

  // The next alternative to run, or -1 when all have run.
  int Next();
  TvxWays& Ways() const { return *FCurrent; }

private:
  TvxWayParser& FParser;
  TvxWays& FWays;
  TvxWays* FCurrent = nullptr;
  int FSingle = -1;       // the only alternative, run on the caller's list
  uint32_t FPending = 0;  // alternatives with ways still to run
  int FLast = -1;         // the alternative run last (its list is joined by the next Next)
  TvxWays* FLists = nullptr;
  size_t FFirstList = 0;
  size_t FAcquired = 0;
};

// --- implementation ------------------------------------------------------------------------------

template <bool Fast>
TvxOption<Fast>::TvxOption(TvxWayParser& Parser, TvxWays& Ways, const TvxDecision& Decision, uint32_t Guard,
                           TvxResolver Resolve)
    : FParser(Parser), FWays(Ways) {
  if (Ways.empty()) return;
  if (Ways.size() == 1) {
    const uint32_t Mask = Parser.ViableAt<Fast>(Decision, Guard, Resolve, Ways[0].TokenIndex);
    if (Mask == 2) {
      FTake = &Ways;
      return;
    }
    if (Mask == 1) return;
    if (Mask == 0) {
      Ways.clear();
      return;
    }
  }
  FTake = &Parser.AcquireList();
  FSkip = &Parser.AcquireList();
  FAcquired = 2;
  for (const TvxWay& Way : Ways) {
    const uint32_t Mask = Parser.ViableAt<Fast>(Decision, Guard, Resolve, Way.TokenIndex);
    if (Mask == 3) {
      FTake->push_back({Parser.template Branch<Fast>(Way.Point, 1), Way.TokenIndex});
      FSkip->push_back({Parser.template Branch<Fast>(Way.Point, 0), Way.TokenIndex});
    } else if (Mask == 2) {
      FTake->push_back(Way);
    } else if (Mask == 1) {
      FSkip->push_back(Way);
    }
  }
  Ways.clear();
}

template <bool Fast>
void TvxOption<Fast>::Finish() {
  if (FSkip == nullptr) return;
  FWays.swap(*FTake);
  FWays.insert(FWays.end(), FSkip->begin(), FSkip->end());
  FTake->clear();
  FSkip->clear();
  FParser.Deduplicate(FWays);
}

template <bool Fast>
bool TvxRepeat<Fast>::Next() {
  TvxWays& Ways = FWays;
  if (Ways.empty()) return Stop();
  if (Ways.size() == 1) {
    const uint32_t Mask = FParser.ViableAt<Fast>(FDecision, FGuard, FResolve, Ways[0].TokenIndex);
    if (Mask == 2) return true;
    if (Mask == 1) {
      if (FDone != nullptr) FDone->push_back(Ways[0]);
      return Stop();
    }
    if (Mask == 0) {
      Ways.clear();
      return Stop();
    }
  }
  if (FDone == nullptr) {
    FDone = &FParser.AcquireList();
    FAcquired = 1;
  }
  size_t Kept = 0;
  for (size_t I = 0, N = Ways.size(); I < N; ++I) {
    const TvxWay Way = Ways[I];
    const uint32_t Mask = FParser.ViableAt<Fast>(FDecision, FGuard, FResolve, Way.TokenIndex);
    if (Mask == 3) {
      FDone->push_back({FParser.template Branch<Fast>(Way.Point, 0), Way.TokenIndex});
      Ways[Kept++] = {FParser.template Branch<Fast>(Way.Point, 1), Way.TokenIndex};
    } else if (Mask == 2) {
      Ways[Kept++] = Way;
    } else if (Mask == 1) {
      FDone->push_back(Way);
    }
  }
  Ways.resize(Kept);
  return Kept != 0 || Stop();
}

// Leaves the stopped ways in the caller's list; always false.
template <bool Fast>
bool TvxRepeat<Fast>::Stop() {
  if (FDone != nullptr) {
    FWays.swap(*FDone);
    FDone->clear();
    FDone = nullptr;
    FParser.Deduplicate(FWays);
  }
  return false;
}

template <bool Fast>
TvxChoice<Fast>::TvxChoice(TvxWayParser& Parser, TvxWays& Ways, const TvxDecision& Decision, uint32_t Guard,
                           TvxResolver Resolve, int Count)
    : FParser(Parser), FWays(Ways) {
  if (Ways.empty()) return;
  if (Ways.size() == 1) {
    const uint32_t Mask = Parser.ViableAt<Fast>(Decision, Guard, Resolve, Ways[0].TokenIndex);
    if (Mask == 0) {
      Parser.DropWay(Ways[0]);
      Ways.clear();
      return;
    }
    if ((Mask & (Mask - 1)) == 0) {
      FSingle = TvxWayParser::CountTrailingZeros(Mask);
      return;
    }
  }
  FFirstList = Parser.FListsInUse;
  for (int I = 0; I < Count; ++I) Parser.AcquireList();
  FAcquired = static_cast<size_t>(Count);
  for (const TvxWay& Way : Ways) {
    uint32_t Mask = Parser.ViableAt<Fast>(Decision, Guard, Resolve, Way.TokenIndex);
    if (Mask == 0) Parser.DropWay(Way);
    FPending |= Mask;
    const bool Ambiguous = (Mask & (Mask - 1)) != 0;
    while (Mask != 0) {
      const int Alternative = TvxWayParser::CountTrailingZeros(Mask);
      Mask &= Mask - 1;
      TvxWays& List = *Parser.FListPool[FFirstList + static_cast<size_t>(Alternative)];
      List.push_back(Ambiguous ? TvxWay{Parser.template Branch<Fast>(Way.Point, Alternative), Way.TokenIndex} : Way);
    }
  }
  Ways.clear();
}

template <bool Fast>
int TvxChoice<Fast>::Next() {
  if (FSingle >= 0) {
    if (FLast >= 0) return -1;
    FLast = FSingle;
    FCurrent = &FWays;
    return FSingle;
  }
  if (FLast >= 0) {
    FWays.insert(FWays.end(), FCurrent->begin(), FCurrent->end());
    FCurrent->clear();
  }
  if (FPending == 0) {
    FLast = -1;
    FParser.Deduplicate(FWays);
    return -1;
  }
  FLast = TvxWayParser::CountTrailingZeros(FPending);
  FPending &= FPending - 1;
  FCurrent = FParser.FListPool[FFirstList + static_cast<size_t>(FLast)].get();
  return FLast;
}
