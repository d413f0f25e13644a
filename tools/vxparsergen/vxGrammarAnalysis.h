// Checks a grammar and computes what the generated parser decides with: for every option,
// repetition and choice the look-ahead masks of its alternatives, derived from FIRST and FOLLOW
// sets of one and two tokens.
#pragma once

#include "vxGrammar.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vxgen {

// A set of look-ahead strings of at most two token kinds: FIRST2 and FOLLOW2 sets. For every
// first kind a row of second kinds, where the extra column End stands for "the string ends
// after one kind"; the empty string is a flag of its own.
class TLookAhead2 {
public:
  explicit TLookAhead2(int KindCount = 0);

  int GetKindCount() const { return FKindCount; }
  int End() const { return FKindCount; }
  bool HasEmpty() const { return FEmpty; }
  void AddEmpty() { FEmpty = true; }
  // Second may be End.
  void Add(int First, int Second);
  bool Has(int First, int Second) const;
  // True when some string starts with First.
  bool Starts(int First) const;

  TLookAhead2& operator|=(const TLookAhead2& Other);
  bool operator==(const TLookAhead2& Other) const = default;
  // The strings of A followed by those of B, cut to two kinds.
  static TLookAhead2 Concat(const TLookAhead2& A, const TLookAhead2& B);

private:
  size_t Word(int First, int Second) const;
  int FKindCount;
  int FWords;  // words per row
  bool FEmpty = false;
  std::vector<uint64_t> FBits;
};

// The tables of one decision. Alternative numbers are those the way points record: option
// 1 present / 0 absent, repetition 1 another iteration / 0 stop, choice the alternative's index.
// Masks have a bit per alternative; Fast entries with FastRowFlag set name a row of Rows instead.
struct TDecisionTables {
  static constexpr uint16_t FastRowFlag = 0x8000;
  static constexpr int MaxAlternatives = 15;

  const TNode* Node = nullptr;
  int Alternatives = 0;
  std::vector<std::string> Guards;     // per alternative, empty when it has none
  std::vector<std::string> Resolvers;  // per alternative, empty when it has none
  // Per alternative: empty, or (per kind) 1 for the kinds that can follow the bracket that
  // closes the alternative's first bracket, where several alternatives start with one.
  std::vector<std::vector<uint8_t>> AfterBracket;
  // Per alternative: empty, or (per kind) 1 for the kinds that can come first after the
  // alternative's leading opening brackets, where several alternatives start with one.
  std::vector<std::vector<uint8_t>> BeyondBrackets;
  std::vector<uint16_t> Exact;  // per kind: viable by the next token as the error rule has it
  std::vector<uint16_t> Fast;   // per kind: viable by two tokens, or the row the second picks
  std::vector<std::vector<uint16_t>> Rows;
};

// The fast tables as the parser holds them. Kinds that no decision tells apart share a class,
// separately for the next token and for the one after it, which keeps the tables small enough
// to stay in the cache: a decision's first table is indexed by the class of the next token, its
// rows (shared by all decisions) by the class of the token after it.
struct TCompactTables {
  std::vector<uint8_t> FirstClass;   // per kind
  std::vector<uint8_t> SecondClass;  // per kind
  int FirstClassCount = 0;
  int SecondClassCount = 0;
  std::vector<std::vector<uint16_t>> Fast;  // per decision, per first class: a mask, or FastRowFlag and a row
  std::vector<std::vector<uint16_t>> Rows;  // per row, per second class: a mask
  // The replay's tables: per decision, per first class, the Fast entry or, where every second
  // token that lets a path go on picks the same single alternative, that alternative; then
  // Fast itself, for a replay that must test both tokens (CheckedClass picks that half).
  std::vector<std::vector<uint16_t>> Replay;
  std::vector<uint8_t> CheckedClass;  // per kind: its first class plus FirstClassCount
};

struct TAnalysis {
  std::vector<TDecisionTables> Decisions;
  TCompactTables Compact;
  std::vector<std::vector<uint8_t>> SetTables;  // per set: per kind 1 when in the set
  std::vector<uint8_t> Accepted;                // per kind: 1 when some token test accepts it
  std::vector<bool> Nullable;                   // per production
  std::vector<TLookAhead2> First;               // per production
  std::vector<TLookAhead2> Follow;              // per production
};

// Resolves names, rejects undefined symbols, unreachable productions, left recursion and
// repetitions or options that can match nothing (EGrammarError), numbers the decisions and
// computes their tables. Needs the kinds of the tokens header.
TAnalysis AnalyseGrammar(TGrammar& Grammar);

// The compact form of the decisions' fast tables (part of AnalyseGrammar).
TCompactTables CompactTables(const std::vector<TDecisionTables>& Decisions, int KindCount);

}  // namespace vxgen
