// The grammar-independent engine of the two-pass parser.
//
// The way calculation follows every alternative the tokens allow at once. Each live parse path
// is a TvxWay: the last decision it recorded and the last token it consumed. Decisions are way
// points in an arena (parent index and alternative, no per-point allocation); a path's
// decisions are the chain of parents from its point up to the root.
//
// Only ambiguous decisions are recorded: where the look-ahead tables leave a single viable
// alternative, the replay computes the same tables at the same token and needs no way point.
// Two sets of tables exist. The fast tables look at two tokens and prune every path that cannot
// go on, so most decisions need no record; the exact tables look at one token exactly as the
// error rule is defined (a failed token test moves the error position, a look-ahead test does
// not). A parse that fails is run again with the exact tables to find the error position; a
// parse that succeeds never needs them, because pruning only removes paths that would die. The
// replay reads the second token only where it picks between alternatives, not where it only
// tells a dead path from a live one: the replay's token tests find a dead path soon enough.
//
// Lists of live ways come from a pool owned by the parser, so no production call allocates, and
// so that dead way points can be reclaimed: compaction marks the points reachable from every
// list in use and moves them together, keeping memory proportional to the live paths.
#pragma once

#include "vxCommon.h"
#include "vxScannerBase.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

// One live parse path.
struct TvxWay {
  int32_t Point;       // index of the last recorded way point
  int32_t TokenIndex;  // index of the last token consumed; -1 before the first
};

using TvxWays = std::vector<TvxWay>;

// The grammar-wide part of the look-ahead tables. Kinds that no decision tells apart share a
// class; tables indexed by class stay small enough for the cache.
struct TvxLookAhead {
  const uint8_t* FirstClass;   // per kind: its class as the next token
  const uint8_t* SecondClass;  // per kind: its class as the token after it
  int SecondClassCount;
  const uint16_t* Rows;     // rows of masks, SecondClassCount entries each
  const uint8_t* Accepted;  // per kind: non-zero when some token test of the grammar accepts it
  // Per kind: the class that reads the second half of TvxDecision::Replay, for a replay that
  // tests both tokens at every decision.
  const uint8_t* CheckedClass;
};

// A recorded decision: the point it grew from (-1 for the root) and the alternative taken
// (option: 1 present, 0 absent; repetition: 1 one more iteration, 0 stop; choice: its number).
struct TvxWayPointRecord {
  int32_t Parent;
  int32_t Alternative;
};

// The look-ahead tables of one decision, generated from the grammar. Bit i of a mask says that
// alternative i is viable.
struct TvxDecision {
  static constexpr uint16_t RowFlag = 0x8000;
  // The grammar's classes and rows. Generated tables are constants, so where a decision is
  // inlined the compiler reads them without loading a pointer from the parser.
  const TvxLookAhead* LookAhead;
  // By the class of the next token (TvxLookAhead): the mask, or RowFlag and the row of
  // TvxLookAhead::Rows that the token after it picks.
  const uint16_t* Fast;
  // By the next token's kind alone, as the error rule defines look-ahead.
  const uint16_t* Exact;
  // The replay's: by the class of the next token, as Fast but with the alternative itself where
  // the token after it could only tell a live path from a dead one (the replay tests every
  // token it consumes, so it finds a dead path a token or two later); then Fast once more, read
  // through TvxLookAhead::CheckedClass.
  const uint16_t* Replay;
};

class TvxWayParser;

// The resolver argument of a replay decision that has none.
struct TvxNoResolver {};

// A grammar's resolver of a decision (a member of the generated parser): the mask of the
// alternatives that can complete, judged from the tokens from Next on.
using TvxResolver = uint32_t (TvxWayParser::*)(int32_t Next);

// A read-only view of a way point, for inspection and tests.
class TvxWayPoint {
public:
  TvxWayPoint(const TvxWayParser& Parser, int32_t Index) : FParser(&Parser), FIndex(Index) {}

  int32_t GetIndex() const { return FIndex; }
  bool HasParent() const;
  TvxWayPoint GetParent() const;  // only when HasParent
  int GetAlternative() const;
  // Number of way points below this one (children, their children, ...).
  int GetCount() const;
  // 1 for a leaf, otherwise 1 + the largest depth of its children.
  int GetDepth() const;

private:
  const TvxWayParser* FParser;
  int32_t FIndex;
};

class TvxWayParser {
public:
  // Kinds at or above KindCount - 1 are treated as one unknown kind that no rule accepts.
  // KindCount is at most MaxKindCount: kinds are kept in a byte per token.
  TvxWayParser(const TvxBaseScanner& Scanner, int KindCount);
  static constexpr int MaxKindCount = 256;
  virtual ~TvxWayParser();
  TvxWayParser(const TvxWayParser&) = delete;
  TvxWayParser& operator=(const TvxWayParser&) = delete;

  // The farthest token index at which a path failed a token test (0 before any failure).
  int GetErrorPos() const { return FErrorPos; }
  // The token the error is reported at: the one at GetErrorPos().
  TvxToken GetErrorToken() const;
  const TvxBaseScanner& GetScanner() const { return *FScanner; }
  int GetKindCount() const { return FKindCount; }

  // Deepest nesting of productions (and of left-nested operator chains built by the replay)
  // before the parse stops with "Statement nested too deeply". Bounds the stack of both passes
  // and the depth of every tree a parse can build, so recursive tree walks stay safe too.
  int GetMaxDepth() const { return FMaxDepth; }
  void SetMaxDepth(int MaxDepth) { FMaxDepth = FDepthLeft = MaxDepth; }
  static constexpr int DefaultMaxDepth = 1000;

  // Runs WayCalc on a single root path, then requires the end of the text. True when a path
  // consumed every token: the first complete path (earlier alternatives, present options and
  // fewer repetitions first) is unrolled and the replay can start. False when none did; the
  // error position is then that of the exact rule. Raises EvxSQLError when nested too deeply.
  template <class TWayCalc>
  bool CalculateWay(TWayCalc&& WayCalc);

  // --- way calculation operations (all no-ops on an empty list) --------------------------------

  // Advances every way by one token and drops those whose token is not of Kind.
  void Expect(TvxWays& Ways, int Kind) {
    if (Ways.size() == 1 && KindAt(Ways[0].TokenIndex + 1) == Kind) {
      ++Ways[0].TokenIndex;  // the usual case: one way, and its token fits
      return;
    }
    ExpectEach(Ways, [Kind](int Next) { return Next == Kind; });
  }
  // Keeps the ways whose next token is of Kind (or in Kinds); true when any remain.
  bool CheckLAToken(TvxWays& Ways, int Kind);
  bool CheckLAToken(TvxWays& Ways, const std::vector<int>& Kinds);
  // Keeps the ways whose next token is not of Kind (not in Kinds); true when any remain.
  bool CheckLANotToken(TvxWays& Ways, int Kind);
  bool CheckLANotToken(TvxWays& Ways, const std::vector<int>& Kinds);
  // Keeps the ways whose next token's text is not in Strings (case-insensitive).
  bool CheckLANotIn(TvxWays& Ways, const TvxStringList& Strings);
  // Replaces every way by a new way point below it with the given alternative.
  void AddWayNode(TvxWays& Ways, int Alternative);
  // Appends to Dest a new way point with the given alternative below every way of Source.
  void ListAddWithWayNode(TvxWays& Dest, const TvxWays& Source, int Alternative);

  // --- replay operations ----------------------------------------------------------------------

  // Makes the decisions of Way, root first, the path the replay follows; resets the replay.
  void UnrollWay(const TvxWay& Way);
  // The alternative of the next way point of the path.
  int GetWayNode();
  // Consumes the next token and makes it current.
  void Get() { ++FTokenIndex; }
  // The same for a token of Kind (of a kind in Set). Only a direct replay can meet another
  // kind, since a replay after the way calculation follows tokens it tested; testing the kind
  // first is cheaper than asking which replay runs.
  void Get(int Kind) {
    if (KindAt(++FTokenIndex) != Kind) [[unlikely]]
      OnUnexpectedToken();
  }
  void GetSet(const uint8_t* Set) {
    if (Set[KindAt(++FTokenIndex)] == 0) [[unlikely]]
      OnUnexpectedToken();
  }

  // Runs a replay without a way calculation: every decision is taken where the fast look-ahead
  // leaves a single alternative and every token is tested. True when Replay completed and the
  // whole text was consumed; its result is then exactly the tree the two passes would build,
  // since with one alternative everywhere the way calculation has only this path to follow.
  // False as soon as a decision is ambiguous or nothing fits: the caller discards what Replay
  // may have stored and runs CalculateWay. Raises EvxSQLError when nested too deeply; Replay
  // may then have run twice, the second time testing both tokens at every decision, so that a
  // dead path is never what goes too deep.
  template <class TReplay>
  bool ReplayDirectly(TReplay&& Replay);
  // The current token (the last one consumed); the end token before the first.
  TvxToken GetCurrentToken() const { return FScanner->GetToken(FTokenIndex); }
  // The current token's text as written, as a copy and as a view of the scanner's text.
  std::string TokenText() const { return std::string(TokenView()); }
  std::string_view TokenView() const {
    // Inline for the tokens of the text (all but the last record, the end), which are all the
    // replay's actions read.
    const auto Records = FScanner->GetRecords();
    if (static_cast<size_t>(FTokenIndex) + 1 >= Records.size()) return FScanner->GetTokenText(FTokenIndex);
    const TvxTokenRecord& Token = Records[static_cast<size_t>(FTokenIndex)];
    return FScanner->GetText().substr(Token.Offset, Token.Length);
  }

  // --- inspection -------------------------------------------------------------------------------

  int GetWayPointCount() const { return static_cast<int>(FPoints.size()); }
  // The most way points the arena held at once during the last way calculation.
  int GetPeakWayPointCount() const { return static_cast<int>(FPeakPoints); }
  const TvxWayPointRecord& GetWayPointRecord(int32_t Index) const { return FPoints[static_cast<size_t>(Index)]; }
  // The decisions of the path being replayed, root first.
  const std::vector<uint8_t>& GetWay() const { return FWay; }

protected:
  // --- services for the generated parser ---------------------------------------------------------

  // Kind of the token at Index; Index may be -1 .. token count + 1 (past the end: the end).
  int KindAt(int32_t Index) const { return FKinds[static_cast<size_t>(Index) + 1]; }

  template <bool Fast>
  [[gnu::always_inline]] uint32_t MaskAt(const TvxDecision& Decision, int32_t TokenIndex) const {
    const int T1 = KindAt(TokenIndex + 1);
    if constexpr (Fast) {
      const TvxLookAhead& LookAhead = *Decision.LookAhead;
      const uint32_t Entry = Decision.Fast[LookAhead.FirstClass[T1]];
      if ((Entry & TvxDecision::RowFlag) == 0) return Entry;
      return LookAhead.Rows[static_cast<size_t>(Entry & ~uint32_t{TvxDecision::RowFlag}) *
                                static_cast<size_t>(LookAhead.SecondClassCount) +
                            LookAhead.SecondClass[KindAt(TokenIndex + 2)]];
    } else {
      return Decision.Exact[T1];
    }
  }
  [[gnu::always_inline]] uint32_t ReplayMask(const TvxDecision& Decision) const {
    const uint32_t Entry = Decision.Replay[FReplayClass[KindAt(FTokenIndex + 1)]];
    if ((Entry & TvxDecision::RowFlag) == 0) return Entry;
    const TvxLookAhead& LookAhead = *Decision.LookAhead;
    return LookAhead.Rows[static_cast<size_t>(Entry & ~uint32_t{TvxDecision::RowFlag}) *
                              static_cast<size_t>(LookAhead.SecondClassCount) +
                          LookAhead.SecondClass[KindAt(FTokenIndex + 2)]];
  }
  // The alternatives a way at TokenIndex can take: the tables, the grammar's conditions and,
  // with the fast tables, the resolver where the tables leave more than one.
  template <bool Fast>
  [[gnu::always_inline]] uint32_t ViableAt(const TvxDecision& Decision, uint32_t Guard, TvxResolver Resolve,
                                           int32_t TokenIndex) {
    uint32_t Mask = MaskAt<Fast>(Decision, TokenIndex) & Guard;
    if constexpr (Fast)
      if (Resolve != nullptr && (Mask & (Mask - 1)) != 0) Mask &= (this->*Resolve)(TokenIndex + 1);
    return Mask;
  }
  bool IsExactLookAhead() const { return FExactLookAhead; }
  // The grammar's tables; set by every start operation. A token of a kind that no token test
  // accepts ends every path that reaches it, which the error rule counts like a failed test, so
  // that an illegal character is reported itself.
  void SetLookAhead(const TvxLookAhead& LookAhead) {
    FAccepted = LookAhead.Accepted;
    FReplayClass = FCheckedReplay ? LookAhead.CheckedClass : LookAhead.FirstClass;
  }
  // The grammar's bracket pair, for KindAfterBracket.
  void SetBrackets(int Open, int Close) {
    FOpenBracket = Open;
    FCloseBracket = Close;
  }
  // The kind of the token after the bracket that closes the opening bracket at Index; the
  // unknown kind when it is never closed.
  int KindAfterBracket(int32_t Index);
  // The kind of the first token from Index on that is not an opening bracket. Resolvers ask it
  // at every bracket of a run in turn, so the run last walked is kept: a statement nested n
  // brackets deep costs n steps rather than n * n / 2.
  int KindBeyondBrackets(int32_t Index) {
    if (KindAt(Index) != FOpenBracket) return KindAt(Index);
    if (Index < FBracketRunBegin || Index >= FBracketRunEnd) {
      FBracketRunBegin = FBracketRunEnd = Index;
      while (KindAt(FBracketRunEnd) == FOpenBracket) ++FBracketRunEnd;
    }
    return KindAt(FBracketRunEnd);
  }

  int32_t NewPoint(int32_t Parent, int Alternative) {
    FPoints.push_back({Parent, Alternative});
    return static_cast<int32_t>(FPoints.size() - 1);
  }
  // The way point of a branch at an ambiguous decision. Only a successful parse is replayed,
  // and only the fast tables find one, so the exact tables (which only look for the error
  // position) record nothing.
  template <bool Fast>
  int32_t Branch(int32_t Parent, int Alternative) {
    if constexpr (Fast)
      return NewPoint(Parent, Alternative);
    else
      return Parent;
  }
  // Set-terminal test: Set has one entry per kind, non-zero for the kinds of the set.
  void ExpectSet(TvxWays& Ways, const uint8_t* Set) {
    if (Ways.size() == 1 && Set[KindAt(Ways[0].TokenIndex + 1)] != 0) {
      ++Ways[0].TokenIndex;
      return;
    }
    ExpectEach(Ways, [Set](int Next) { return Set[Next] != 0; });
  }
  // Advances every way and keeps those whose token Fits, in order; the others raise the error
  // position to their token.
  template <class TFits>
  void ExpectEach(TvxWays& Ways, TFits&& Fits) {
    size_t Kept = 0;
    for (TvxWay Way : Ways) {
      ++Way.TokenIndex;
      if (Fits(KindAt(Way.TokenIndex)))
        Ways[Kept++] = Way;
      else if (Way.TokenIndex > FErrorPos)
        FErrorPos = Way.TokenIndex;
    }
    Ways.resize(Kept);
  }

  // The replay's decisions take the single viable alternative, or the recorded one. The tables
  // and the resolver (a callable taking the index of the next token, or TvxNoResolver) are
  // inline; the recorded way points and the end of a direct replay are the rare case.
  //
  // A choice's: the alternative as a single bit, which the choice's switch tests without
  // counting zeros first.
  template <class TResolve>
  [[gnu::always_inline]] uint32_t Choose(const TvxDecision& Decision, uint32_t Guard, TResolve&& Resolve) {
    const uint32_t Mask = ReplayMask(Decision) & Guard;
    if (Mask != 0 && (Mask & (Mask - 1)) == 0) return Mask;
    return uint32_t{1} << DecideAmong(Mask, Resolve);
  }
  [[gnu::always_inline]] uint32_t Choose(const TvxDecision& Decision, uint32_t Guard) {
    return Choose(Decision, Guard, TvxNoResolver());
  }
  // The decision of an option or a repetition: true to take it (once more).
  template <class TResolve>
  [[gnu::always_inline]] bool Take(const TvxDecision& Decision, uint32_t Guard, TResolve&& Resolve) {
    const uint32_t Mask = ReplayMask(Decision) & Guard;
    if (Mask == 1) return false;
    if (Mask == 2) return true;
    return DecideAmong(Mask, Resolve) == 1;
  }
  [[gnu::always_inline]] bool Take(const TvxDecision& Decision, uint32_t Guard) {
    return Take(Decision, Guard, TvxNoResolver());
  }
  // Decide where the tables leave no alternative or several.
  template <class TResolve>
  [[gnu::always_inline]] int DecideAmong(uint32_t Mask, TResolve& Resolve) {
    if constexpr (!std::is_same_v<std::decay_t<TResolve>, TvxNoResolver>) {
      if (Mask != 0) {
        Mask &= Resolve(FTokenIndex + 1);
        if (Mask != 0 && (Mask & (Mask - 1)) == 0) return CountTrailingZeros(Mask);
      }
    }
    return DecideFurther(Mask);
  }
  // Decide where the tables and the resolver leave no alternative or several.
  [[gnu::noinline]] int DecideFurther(uint32_t Mask) {
    if (Mask == 0 && !FDirect) return 0;
    if (FDirect) AbortDirectReplay();
    return GetWayNode();
  }

  // Entered by every production (and by the replay for every left-nested operator): raises
  // "Statement nested too deeply" at the next token when the nesting passes GetMaxDepth().
  // Levels enters that many at once, for a production that stands for a chain of them.
  void EnterNesting(int32_t NextTokenIndex, int Levels = 1) {
    FDepthLeft -= Levels;
    if (FDepthLeft < 0) RaiseNestedTooDeeply(NextTokenIndex);
  }
  void LeaveNesting(int Levels = 1) { FDepthLeft += Levels; }

  // A production's outcome for a way depends only on the production and the way's token: the
  // tokens its paths end after, the decisions they record on the way (with the exact tables:
  // none, but the farthest failure inside). Texts whose paths explore the same production at
  // the same token again and again (unclosed brackets before sub-queries, say) would take
  // exponential time; once a pass has done far more work than its text can need, outcomes are
  // remembered and replayed instead. True when the call was answered here; Call runs the
  // production for a single way and is called back without remembering.
  template <bool Fast, class TCall>
  bool Memoize(int Production, TvxWays& Ways, TCall&& Call);
  bool IsMemoizing() const { return FMemoizing; }

public:
  // Production calls a pass makes before it starts remembering outcomes; -1 (the default)
  // chooses by the length of the text. Outcomes are the same either way, only the time differs.
  void SetMemoizeAfter(int64_t Calls) { FMemoizeAfter = Calls; }

protected:
  // Keeps the first of the ways that stand at the same token. Ways in one list are at the same
  // place of the grammar, so two at the same token have the same future: whatever completes
  // after the later one completes after the earlier one too, and the earlier one comes first
  // in every list after this (patterns keep the order of ways they share). Dropping the later
  // one changes neither the chosen path nor the error position, and keeps independent
  // ambiguities from multiplying the ways.
  void Deduplicate(TvxWays& Ways);

  // Reclaims dead way points when the arena has grown enough since the last time. Only called
  // where every live way is in a list of the pool.
  void MaybeCompact() {
    if (FPoints.size() >= FCompactAt) CompactWayPoints();
  }

  // The pool of way lists: lists are taken and given back in stack order.
  TvxWays& AcquireList() {
    if (FListsInUse == FListPool.size()) AddPoolList();
    TvxWays& List = *FListPool[FListsInUse++];
    List.clear();
    return List;
  }
  void ReleaseLists(size_t Count) { FListsInUse -= Count; }

  static int CountTrailingZeros(uint32_t Mask) { return std::countr_zero(Mask); }

  [[noreturn]] void RaiseNestedTooDeeply(int32_t TokenIndex) const;
  void OnUnexpectedToken() const {
    if (FDirect) AbortDirectReplay();
  }
  [[noreturn]] static void AbortDirectReplay();

  int FErrorPos = 0;
  int32_t FTokenIndex = -1;

private:
  friend class TvxWayPoint;
  template <bool Fast>
  friend class TvxOption;
  template <bool Fast>
  friend class TvxRepeat;
  template <bool Fast>
  friend class TvxChoice;
  friend class TvxProductionScope;
  friend class TvxReplayScope;

  void ResetWays();
  void AddPoolList();
  void CompactWayPoints();
  // A way that no alternative can continue: with the exact tables, a token no rule accepts
  // counts as the error position.
  void DropWay(const TvxWay& Way) {
    const int32_t Next = Way.TokenIndex + 1;
    if (FExactLookAhead && FAccepted != nullptr && FAccepted[KindAt(Next)] == 0 && Next > FErrorPos) FErrorPos = Next;
  }
  void FinishCalculation(TvxWays& Ways);

  const TvxBaseScanner* FScanner;
  int FKindCount;
  // The kind of every token, shifted by one and padded with the end: in FShortKinds for texts of
  // the length users write, so that a parse allocates nothing for them, else in FLongKinds.
  std::span<uint8_t> FKinds;
  std::array<uint8_t, 256> FShortKinds;
  std::vector<uint8_t> FLongKinds;
  std::vector<TvxWayPointRecord> FPoints;
  size_t FCompactAt = 0;
  size_t FPeakPoints = 0;
  std::vector<int32_t> FRemap;  // scratch of the compaction
  std::vector<std::unique_ptr<TvxWays>> FListPool;
  size_t FListsInUse = 0;
  bool FExactLookAhead = false;
  bool FDirect = false;  // a replay without way calculation is running
  const uint8_t* FAccepted = nullptr;
  const uint8_t* FReplayClass = nullptr;  // the half of TvxDecision::Replay the replay reads
  // A direct replay that tests both tokens at every decision: it runs only when the usual one
  // went too deep, since a dead path taken for a token or two could be what went too deep.
  bool FCheckedReplay = false;
  int FOpenBracket = -1;
  int FCloseBracket = -1;
  std::vector<int32_t> FCloseOf;  // per token: index of the closing bracket of an opening one
  int32_t FBracketRunBegin = 0;   // the run of opening brackets KindBeyondBrackets walked last:
  int32_t FBracketRunEnd = 0;     // [begin, end), the token at end is not an opening bracket
  std::vector<uint32_t> FSeen;    // per token: the stamp of the last Deduplicate that met it
  uint32_t FSeenStamp = 0;

  // A remembered production outcome (Memoize); a direct-mapped cache, valid for one pass.
  struct TvxOutcome {
    static constexpr int MaxEnds = 4;       // outcomes with more ends are not kept
    static constexpr int MaxDecisions = 6;  // nor those that record more decisions on a path
    uint32_t Pass = 0;
    int32_t Production = -1;
    int32_t Start = 0;
    int32_t ErrorPos = 0;
    int32_t EndCount = 0;
    int32_t Ends[MaxEnds] = {};
    uint8_t DecisionCount[MaxEnds] = {};
    uint8_t Decisions[MaxEnds][MaxDecisions] = {};
  };
  static constexpr size_t OutcomeSlots = size_t{1} << 14;
  std::vector<TvxOutcome> FOutcomes;
  uint32_t FPass = 0;
  uint64_t FCalls = 0;     // production calls of this pass
  uint64_t FMemoFrom = 0;  // remember outcomes once FCalls passes this
  bool FMemoizing = false;
  int64_t FMemoizeAfter = -1;
  bool FBypassMemo = false;
  // Levels left before the limit: counting down lets every production test the sign of what
  // it subtracted instead of comparing with the limit.
  int FDepthLeft = DefaultMaxDepth;
  int FMaxDepth = DefaultMaxDepth;
  std::vector<uint8_t> FWay;
  size_t FWayIndex = 0;
};

// --- implementation of the templates -----------------------------------------------------------

// Ends a direct replay; nothing but ReplayDirectly catches it.
struct TvxDirectReplayAbort {
  bool NestedTooDeeply = false;
};

template <bool Fast, class TCall>
bool TvxWayParser::Memoize(int Production, TvxWays& Ways, TCall&& Call) {
  if (FBypassMemo) {
    FBypassMemo = false;
    return false;
  }
  if (FOutcomes.empty()) FOutcomes.resize(OutcomeSlots);
  TvxWays& Result = AcquireList();
  TvxWays& One = AcquireList();
  for (size_t W = 0; W < Ways.size(); ++W) {
    const int32_t Start = Ways[W].TokenIndex;
    const uint32_t Hash = (static_cast<uint32_t>(Production) * 2654435761u) ^ static_cast<uint32_t>(Start + 1);
    TvxOutcome& Slot = FOutcomes[(Hash ^ (Hash >> 15)) & (OutcomeSlots - 1)];
    if (Slot.Pass == FPass && Slot.Production == Production && Slot.Start == Start) {
      for (int32_t E = 0; E < Slot.EndCount; ++E) {
        int32_t Point = Ways[W].Point;
        for (int D = 0; D < Slot.DecisionCount[E]; ++D) Point = NewPoint(Point, Slot.Decisions[E][D]);
        Result.push_back({Point, Slot.Ends[E]});
      }
      if (Slot.ErrorPos > FErrorPos) FErrorPos = Slot.ErrorPos;
      continue;
    }
    One.clear();
    One.push_back(Ways[W]);
    const int Before = FErrorPos;
    FErrorPos = -1;
    FBypassMemo = true;
    Call(One);
    const int Inside = FErrorPos;
    FErrorPos = Before > Inside ? Before : Inside;
    // Ways[W] is read again: a compaction inside the call may have moved its point.
    bool Keep = One.size() <= static_cast<size_t>(TvxOutcome::MaxEnds);
    for (size_t E = 0; Keep && E < One.size(); ++E) {
      int Count = 0;
      for (int32_t P = One[E].Point; P != Ways[W].Point; P = FPoints[static_cast<size_t>(P)].Parent) {
        if (P < 0 || Count == TvxOutcome::MaxDecisions) {
          Keep = false;
          break;
        }
        Slot.Decisions[E][Count++] = static_cast<uint8_t>(FPoints[static_cast<size_t>(P)].Alternative);
      }
      std::reverse(Slot.Decisions[E], Slot.Decisions[E] + Count);
      Slot.DecisionCount[E] = static_cast<uint8_t>(Count);
      Slot.Ends[E] = One[E].TokenIndex;
    }
    if (Keep) {
      Slot.Pass = FPass;
      Slot.Production = Production;
      Slot.Start = Start;
      Slot.ErrorPos = Inside;
      Slot.EndCount = static_cast<int32_t>(One.size());
    } else if (Slot.Production == Production && Slot.Start == Start) {
      Slot.Pass = 0;
    }
    Result.insert(Result.end(), One.begin(), One.end());
  }
  Ways.swap(Result);
  Result.clear();
  One.clear();
  ReleaseLists(2);
  Deduplicate(Ways);
  return true;
}

template <class TReplay>
bool TvxWayParser::ReplayDirectly(TReplay&& Replay) {
  for (const bool Checked : {false, true}) {
    FDirect = true;
    FCheckedReplay = Checked;
    FDepthLeft = FMaxDepth;
    FWay.clear();
    FWayIndex = 0;
    FTokenIndex = -1;
    try {
      Replay();
    } catch (const TvxDirectReplayAbort& Abort) {
      FDirect = FCheckedReplay = false;
      if (Abort.NestedTooDeeply) continue;
      return false;
    } catch (...) {
      FDirect = FCheckedReplay = false;
      throw;
    }
    FDirect = FCheckedReplay = false;
    return KindAt(FTokenIndex + 1) == 0;
  }
  return false;  // not reached: the checked replay reports nesting itself
}

template <class TWayCalc>
bool TvxWayParser::CalculateWay(TWayCalc&& WayCalc) {
  for (bool Exact : {false, true}) {
    ResetWays();
    FExactLookAhead = Exact;
    TvxWays& Ways = AcquireList();
    Ways.push_back({NewPoint(-1, 0), -1});
    WayCalc(Ways);
    Expect(Ways, 0);
    if (!Ways.empty()) {
      FinishCalculation(Ways);
      return true;
    }
    ReleaseLists(1);
  }
  return false;
}
