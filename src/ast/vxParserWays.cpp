#include "vxParserWays.h"

#include "vxParserBase.h"
#include "vxScannerBase.h"

#include <algorithm>

namespace {

// The arena is compacted when it has grown to twice what survived the last compaction, and
// never below this many points, so compaction costs amortised constant time per point.
constexpr size_t MinCompactAt = size_t{1} << 16;

// Way lists keep their capacity in the pool, so the usual lists never allocate again.
constexpr size_t InitialListCapacity = 16;

}  // namespace

// --- TvxWayPoint --------------------------------------------------------------------------------

bool TvxWayPoint::HasParent() const { return FParser->GetWayPointRecord(FIndex).Parent >= 0; }

TvxWayPoint TvxWayPoint::GetParent() const { return {*FParser, FParser->GetWayPointRecord(FIndex).Parent}; }

int TvxWayPoint::GetAlternative() const { return FParser->GetWayPointRecord(FIndex).Alternative; }

// Children always come after their parent in the arena, so one pass from the point onwards
// finds every descendant.
int TvxWayPoint::GetCount() const {
  const int Count = FParser->GetWayPointCount();
  std::vector<bool> Below(static_cast<size_t>(Count), false);
  Below[static_cast<size_t>(FIndex)] = true;
  int Result = 0;
  for (int32_t I = FIndex + 1; I < Count; ++I) {
    const int32_t Parent = FParser->GetWayPointRecord(I).Parent;
    if (Parent >= FIndex && Below[static_cast<size_t>(Parent)]) {
      Below[static_cast<size_t>(I)] = true;
      ++Result;
    }
  }
  return Result;
}

int TvxWayPoint::GetDepth() const {
  const int Count = FParser->GetWayPointCount();
  std::vector<int> Depth(static_cast<size_t>(Count), 0);  // 0: not below this point
  Depth[static_cast<size_t>(FIndex)] = 1;
  int Result = 1;
  for (int32_t I = FIndex + 1; I < Count; ++I) {
    const int32_t Parent = FParser->GetWayPointRecord(I).Parent;
    if (Parent >= FIndex && Depth[static_cast<size_t>(Parent)] > 0) {
      Depth[static_cast<size_t>(I)] = Depth[static_cast<size_t>(Parent)] + 1;
      Result = std::max(Result, Depth[static_cast<size_t>(I)]);
    }
  }
  return Result;
}

// --- TvxWayParser -------------------------------------------------------------------------------

TvxWayParser::TvxWayParser(const TvxBaseScanner& Scanner, int KindCount)
    : FScanner(&Scanner), FKindCount(std::min(KindCount, MaxKindCount)) {
  const auto Unknown = static_cast<uint32_t>(FKindCount - 1);
  const auto Tokens = Scanner.GetRecords();
  // One entry before the first token (never read) and three past the end token, so that the
  // look-ahead of any live way (which has not consumed the end) stays inside the array.
  const size_t Count = Tokens.size();
  if (Count + 4 <= FShortKinds.size()) {
    FKinds = std::span<uint8_t>(FShortKinds.data(), Count + 4);
  } else {
    FLongKinds.resize(Count + 4);
    FKinds = FLongKinds;
  }
  FKinds[0] = 0;
  std::fill_n(FKinds.begin() + static_cast<std::ptrdiff_t>(Count) + 1, 3, 0);
  uint8_t* Kinds = FKinds.data() + 1;
  // A negative kind turns into a large unsigned one: one comparison finds both unknowns.
  const auto Clamp = [Unknown](const TvxTokenRecord& Token) {
    const auto Kind = static_cast<uint32_t>(Token.Kind);
    return static_cast<uint8_t>(Kind < Unknown ? Kind : Unknown);
  };
  // Four at a time: the loop's own counting costs about as much as a kind.
  size_t I = 0;
  for (; I + 4 <= Count; I += 4) {
    Kinds[I] = Clamp(Tokens[I]);
    Kinds[I + 1] = Clamp(Tokens[I + 1]);
    Kinds[I + 2] = Clamp(Tokens[I + 2]);
    Kinds[I + 3] = Clamp(Tokens[I + 3]);
  }
  for (; I < Count; ++I) Kinds[I] = Clamp(Tokens[I]);
}

TvxWayParser::~TvxWayParser() = default;

TvxToken TvxWayParser::GetErrorToken() const { return FScanner->GetToken(FErrorPos); }

void TvxWayParser::ResetWays() {
  // A text needs a few dozen production calls per token; far beyond that a pass is exploring
  // the same productions at the same tokens again, and remembering outcomes pays.
  FCalls = 0;
  FMemoFrom =
      FMemoizeAfter >= 0 ? static_cast<uint64_t>(FMemoizeAfter) : 64 * static_cast<uint64_t>(FKinds.size()) + 4096;
  FMemoizing = false;
  if (++FPass == 0) {
    FOutcomes.assign(FOutcomes.size(), TvxOutcome());
    FPass = 1;
  }
  FPoints.clear();
  FPeakPoints = 0;
  FCompactAt = MinCompactAt;
  FListsInUse = 0;
  FErrorPos = 0;
  FDepthLeft = FMaxDepth;
}

void TvxWayParser::FinishCalculation(TvxWays& Ways) {
  FPeakPoints = std::max(FPeakPoints, FPoints.size());
  UnrollWay(Ways.front());
  GetWayNode();  // the root
  ReleaseLists(1);
  FPoints.clear();
  FPoints.shrink_to_fit();
  FListPool.clear();
  FListsInUse = 0;
  FDepthLeft = FMaxDepth;
}

void TvxWayParser::AddPoolList() {
  FListPool.push_back(std::make_unique<TvxWays>());
  FListPool.back()->reserve(InitialListCapacity);
}

void TvxWayParser::Deduplicate(TvxWays& Ways) {
  if (Ways.size() < 2) return;
  size_t Kept = 1;
  if (Ways.size() <= 8) {
    for (size_t I = 1; I < Ways.size(); ++I) {
      bool Seen = false;
      for (size_t J = 0; J < Kept && !Seen; ++J) Seen = Ways[J].TokenIndex == Ways[I].TokenIndex;
      if (!Seen) Ways[Kept++] = Ways[I];
    }
  } else {
    // Token indices of live ways lie in -1 .. token count.
    if (FSeen.empty() || ++FSeenStamp == 0) {
      FSeen.assign(FKinds.size(), 0);
      FSeenStamp = 1;
    }
    Kept = 0;
    for (const TvxWay& Way : Ways) {
      uint32_t& Stamp = FSeen[static_cast<size_t>(Way.TokenIndex) + 1];
      if (Stamp == FSeenStamp) continue;
      Stamp = FSeenStamp;
      Ways[Kept++] = Way;
    }
  }
  Ways.resize(Kept);
}

void TvxWayParser::CompactWayPoints() {
  const size_t Count = FPoints.size();
  FPeakPoints = std::max(FPeakPoints, Count);
  FRemap.assign(Count, -1);
  constexpr int32_t Marked = -2;
  for (size_t L = 0; L < FListsInUse; ++L)
    for (const TvxWay& Way : *FListPool[L])
      for (int32_t P = Way.Point; P >= 0 && FRemap[static_cast<size_t>(P)] == -1;
           P = FPoints[static_cast<size_t>(P)].Parent)
        FRemap[static_cast<size_t>(P)] = Marked;
  // Parents precede their children, so moving the marked points down in order keeps that and
  // lets every parent index be remapped as it is met.
  int32_t Next = 0;
  for (size_t I = 0; I < Count; ++I) {
    if (FRemap[I] != Marked) continue;
    TvxWayPointRecord Record = FPoints[I];
    if (Record.Parent >= 0) Record.Parent = FRemap[static_cast<size_t>(Record.Parent)];
    FPoints[static_cast<size_t>(Next)] = Record;
    FRemap[I] = Next++;
  }
  FPoints.resize(static_cast<size_t>(Next));
  for (size_t L = 0; L < FListsInUse; ++L)
    for (TvxWay& Way : *FListPool[L]) Way.Point = FRemap[static_cast<size_t>(Way.Point)];
  FCompactAt = std::max(MinCompactAt, FPoints.size() * 2);
}

int TvxWayParser::KindAfterBracket(int32_t Index) {
  if (FCloseOf.empty()) {
    // Matched once per parse with a stack of the open brackets.
    const int32_t Count = static_cast<int32_t>(FKinds.size()) - 4;
    FCloseOf.assign(static_cast<size_t>(Count) + 1, -1);
    std::vector<int32_t> Open;
    for (int32_t I = 0; I < Count; ++I) {
      if (KindAt(I) == FOpenBracket) {
        Open.push_back(I);
      } else if (KindAt(I) == FCloseBracket && !Open.empty()) {
        FCloseOf[static_cast<size_t>(Open.back())] = I;
        Open.pop_back();
      }
    }
  }
  if (Index < 0 || static_cast<size_t>(Index) >= FCloseOf.size() || FCloseOf[static_cast<size_t>(Index)] < 0)
    return FKindCount - 1;
  return KindAt(FCloseOf[static_cast<size_t>(Index)] + 1);
}

void TvxWayParser::RaiseNestedTooDeeply(int32_t TokenIndex) const {
  if (FDirect && !FCheckedReplay) throw TvxDirectReplayAbort{true};
  const TvxToken Token = FScanner->GetToken(TokenIndex);
  throw EvxSQLError("Statement nested too deeply", &Token);
}

// --- way calculation operations -----------------------------------------------------------------

namespace {

// Keeps the ways for which Keep(kind of the next token) holds, in order; true when any remain.
template <class TKeep>
bool FilterByNextKind(TvxWays& Ways, std::span<const uint8_t> Kinds, TKeep&& Keep) {
  std::erase_if(Ways, [&](const TvxWay& Way) { return !Keep(Kinds[static_cast<size_t>(Way.TokenIndex) + 2]); });
  return !Ways.empty();
}

bool Contains(const std::vector<int>& Kinds, int Kind) {
  return std::find(Kinds.begin(), Kinds.end(), Kind) != Kinds.end();
}

}  // namespace

bool TvxWayParser::CheckLAToken(TvxWays& Ways, int Kind) {
  return FilterByNextKind(Ways, FKinds, [Kind](int Next) { return Next == Kind; });
}

bool TvxWayParser::CheckLAToken(TvxWays& Ways, const std::vector<int>& Kinds) {
  return FilterByNextKind(Ways, FKinds, [&Kinds](int Next) { return Contains(Kinds, Next); });
}

bool TvxWayParser::CheckLANotToken(TvxWays& Ways, int Kind) {
  return FilterByNextKind(Ways, FKinds, [Kind](int Next) { return Next != Kind; });
}

bool TvxWayParser::CheckLANotToken(TvxWays& Ways, const std::vector<int>& Kinds) {
  return FilterByNextKind(Ways, FKinds, [&Kinds](int Next) { return !Contains(Kinds, Next); });
}

bool TvxWayParser::CheckLANotIn(TvxWays& Ways, const TvxStringList& Strings) {
  std::erase_if(Ways, [&](const TvxWay& Way) { return Strings.Contains(FScanner->GetTokenText(Way.TokenIndex + 1)); });
  return !Ways.empty();
}

void TvxWayParser::AddWayNode(TvxWays& Ways, int Alternative) {
  for (TvxWay& Way : Ways) Way.Point = NewPoint(Way.Point, Alternative);
}

void TvxWayParser::ListAddWithWayNode(TvxWays& Dest, const TvxWays& Source, int Alternative) {
  for (const TvxWay& Way : Source) Dest.push_back({NewPoint(Way.Point, Alternative), Way.TokenIndex});
}

// --- replay -------------------------------------------------------------------------------------

void TvxWayParser::UnrollWay(const TvxWay& Way) {
  FWay.clear();
  for (int32_t P = Way.Point; P >= 0; P = FPoints[static_cast<size_t>(P)].Parent)
    FWay.push_back(static_cast<uint8_t>(FPoints[static_cast<size_t>(P)].Alternative));
  std::reverse(FWay.begin(), FWay.end());
  FWayIndex = 0;
  FTokenIndex = -1;
  FErrorPos = -1;
}

int TvxWayParser::GetWayNode() {
  // The replay follows a path the way calculation completed, so it never asks for more way
  // points than the path has; reading past the end would mean the two passes disagree.
  if (FWayIndex >= FWay.size()) throw EvxException("Parser replay left its way");
  return FWay[FWayIndex++];
}

void TvxWayParser::AbortDirectReplay() { throw TvxDirectReplayAbort{false}; }
