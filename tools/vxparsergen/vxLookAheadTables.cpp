// The look-ahead sets of two kinds and the compact form of the decision tables.
#include "vxGrammarAnalysis.h"

#include <map>

namespace vxgen {

// --- TLookAhead2 ---------------------------------------------------------------------------------

TLookAhead2::TLookAhead2(int KindCount)
    : FKindCount(KindCount),
      FWords((KindCount + 1 + 63) / 64),
      FBits(static_cast<size_t>(KindCount) * static_cast<size_t>((KindCount + 1 + 63) / 64), 0) {}

size_t TLookAhead2::Word(int First, int Second) const {
  return static_cast<size_t>(First) * static_cast<size_t>(FWords) + static_cast<size_t>(Second / 64);
}

void TLookAhead2::Add(int First, int Second) { FBits[Word(First, Second)] |= uint64_t{1} << (Second % 64); }

bool TLookAhead2::Has(int First, int Second) const { return (FBits[Word(First, Second)] >> (Second % 64) & 1) != 0; }

bool TLookAhead2::Starts(int First) const {
  for (int W = 0; W < FWords; ++W)
    if (FBits[Word(First, 0) + static_cast<size_t>(W)] != 0) return true;
  return false;
}

TLookAhead2& TLookAhead2::operator|=(const TLookAhead2& Other) {
  FEmpty = FEmpty || Other.FEmpty;
  for (size_t I = 0; I < FBits.size(); ++I) FBits[I] |= Other.FBits[I];
  return *this;
}

TLookAhead2 TLookAhead2::Concat(const TLookAhead2& A, const TLookAhead2& B) {
  TLookAhead2 Result(A.FKindCount);
  // What may follow a string of one kind: the first kinds of B, and End when B can be empty.
  std::vector<uint64_t> Seconds(static_cast<size_t>(A.FWords), 0);
  for (int T = 0; T < B.FKindCount; ++T)
    if (B.Starts(T)) Seconds[static_cast<size_t>(T / 64)] |= uint64_t{1} << (T % 64);
  if (B.FEmpty) Seconds[static_cast<size_t>(A.End() / 64)] |= uint64_t{1} << (A.End() % 64);
  const size_t EndWord = static_cast<size_t>(A.End() / 64);
  const uint64_t EndBit = uint64_t{1} << (A.End() % 64);
  for (int T = 0; T < A.FKindCount; ++T) {
    const size_t Row = A.Word(T, 0);
    const bool OneKind = (A.FBits[Row + EndWord] & EndBit) != 0;
    for (size_t W = 0; W < static_cast<size_t>(A.FWords); ++W) {
      uint64_t Bits = A.FBits[Row + W];
      if (W == EndWord) Bits &= ~EndBit;
      if (OneKind) Bits |= Seconds[W];
      Result.FBits[Row + W] = Bits;
    }
  }
  if (A.FEmpty) Result |= B;
  Result.FEmpty = A.FEmpty && B.FEmpty;
  return Result;
}

namespace {

// Numbers the kinds by their signature: kinds with equal signatures share a class.
template <class TSignature>
int ClassifyKinds(int KindCount, TSignature&& Signature, std::vector<uint8_t>& Classes) {
  std::map<std::vector<uint16_t>, uint8_t> Known;
  Classes.assign(static_cast<size_t>(KindCount), 0);
  for (int Kind = 0; Kind < KindCount; ++Kind) {
    const auto It = Known.emplace(Signature(Kind), static_cast<uint8_t>(Known.size())).first;
    Classes[static_cast<size_t>(Kind)] = It->second;
  }
  return static_cast<int>(Known.size());
}

// The single alternative a row leaves wherever it leaves any; 0 when it leaves several.
uint16_t OnlyAlternative(const std::vector<uint16_t>& Row) {
  uint16_t Only = 0;
  for (const uint16_t Mask : Row) {
    if (Mask == 0) continue;
    if ((Mask & (Mask - 1)) != 0 || (Only != 0 && Mask != Only)) return 0;
    Only = Mask;
  }
  return Only;
}

// A replay follows a single path and tests every token it consumes, so where the second token
// only tells a live path from a dead one it need not be read: a dead path fails at a token test
// a token or two later. Both halves stay in one table so that the class table alone chooses.
void AddReplayTables(TCompactTables& C) {
  const bool Fits = 2 * C.FirstClassCount <= 256;  // classes are kept in bytes
  for (const auto& Fast : C.Fast) {
    std::vector<uint16_t> Replay = Fast;
    for (uint16_t& Entry : Replay) {
      if (!Fits || (Entry & TDecisionTables::FastRowFlag) == 0) continue;
      const uint16_t Only = OnlyAlternative(C.Rows[Entry & ~TDecisionTables::FastRowFlag]);
      if (Only != 0) Entry = Only;
    }
    Replay.insert(Replay.end(), Fast.begin(), Fast.end());
    C.Replay.push_back(std::move(Replay));
  }
  for (const uint8_t Class : C.FirstClass)
    C.CheckedClass.push_back(static_cast<uint8_t>(Fits ? Class + C.FirstClassCount : Class));
}

}  // namespace

TCompactTables CompactTables(const std::vector<TDecisionTables>& Decisions, int KindCount) {
  TCompactTables C;
  // Second tokens: a kind's signature is its column in every row of every decision.
  C.SecondClassCount = ClassifyKinds(
      KindCount,
      [&](int Kind) {
        std::vector<uint16_t> Column;
        for (const TDecisionTables& T : Decisions)
          for (const auto& Row : T.Rows) Column.push_back(Row[static_cast<size_t>(Kind)]);
        return Column;
      },
      C.SecondClass);
  std::vector<int> Representative(static_cast<size_t>(C.SecondClassCount), -1);
  for (int Kind = KindCount - 1; Kind >= 0; --Kind) Representative[C.SecondClass[static_cast<size_t>(Kind)]] = Kind;
  // Rows by class, shared between decisions; a decision's entries point into the shared list.
  std::map<std::vector<uint16_t>, uint16_t> RowIndex;
  std::vector<std::vector<uint16_t>> Fast;  // per decision, per kind, with shared row numbers
  for (const TDecisionTables& T : Decisions) {
    std::vector<uint16_t> Shared;
    for (const auto& Row : T.Rows) {
      std::vector<uint16_t> ByClass;
      for (int Kind : Representative) ByClass.push_back(Row[static_cast<size_t>(Kind)]);
      const auto It = RowIndex.emplace(ByClass, static_cast<uint16_t>(C.Rows.size())).first;
      if (It->second == C.Rows.size()) C.Rows.push_back(ByClass);
      Shared.push_back(It->second);
    }
    std::vector<uint16_t> Entries = T.Fast;
    for (uint16_t& Entry : Entries)
      if ((Entry & TDecisionTables::FastRowFlag) != 0)
        Entry = static_cast<uint16_t>(TDecisionTables::FastRowFlag | Shared[Entry & ~TDecisionTables::FastRowFlag]);
    Fast.push_back(std::move(Entries));
  }
  // First tokens: a kind's signature is its entry in every decision.
  C.FirstClassCount = ClassifyKinds(
      KindCount,
      [&](int Kind) {
        std::vector<uint16_t> Entries;
        for (const auto& F : Fast) Entries.push_back(F[static_cast<size_t>(Kind)]);
        return Entries;
      },
      C.FirstClass);
  for (const auto& F : Fast) {
    std::vector<uint16_t> ByClass(static_cast<size_t>(C.FirstClassCount), 0);
    for (int Kind = 0; Kind < KindCount; ++Kind)
      ByClass[C.FirstClass[static_cast<size_t>(Kind)]] = F[static_cast<size_t>(Kind)];
    C.Fast.push_back(std::move(ByClass));
  }
  if (C.Rows.empty()) C.Rows.push_back(std::vector<uint16_t>(static_cast<size_t>(C.SecondClassCount), 0));
  AddReplayTables(C);
  return C;
}

}  // namespace vxgen
