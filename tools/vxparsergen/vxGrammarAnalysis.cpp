#include "vxGrammarAnalysis.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>

namespace vxgen {

// --- the analysis ---------------------------------------------------------------------------------

namespace {

class TAnalyser {
public:
  explicit TAnalyser(TGrammar& Grammar) : G(Grammar), K(Grammar.KindCount()) {}

  TAnalysis Run() {
    ResolveSets();
    ResolveNames();
    CheckReachable();
    ComputeFirst();
    CheckBodies();
    CheckLeftRecursion();
    ComputeFollow();
    if (G.OpenKind >= 0) ComputeBeyond();
    A.SetTables = MakeSetTables();
    A.Accepted = AcceptedKinds();
    for (size_t P = 0; P < G.Productions.size(); ++P) BuildDecisions(*G.Productions[P].Body, A.Follow[P]);
    A.Compact = CompactTables(A.Decisions, K);
    A.First = First;
    return std::move(A);
  }

private:
  [[noreturn]] void Fail(int Line, const std::string& Message) const { throw EGrammarError(G.File, Line, Message); }

  int KindOf(const std::string& Name, int Line) const {
    const auto It = G.Terminals.find(Name);
    if (It == G.Terminals.end()) Fail(Line, "unknown token kind '" + Name + "'");
    return It->second;
  }

  void ResolveSets() {
    std::set<std::string> Names;
    for (TTokenSet& Set : G.Sets) {
      if (!Names.insert(Set.Name).second) Fail(Set.Line, "set '" + Set.Name + "' defined twice");
      if (G.Terminals.count(Set.Name) != 0) Fail(Set.Line, "set '" + Set.Name + "' has the name of a token kind");
      std::set<int> Kinds;
      for (const auto& [FirstName, LastName] : Set.Ranges) {
        const int First = KindOf(FirstName, Set.Line), Last = KindOf(LastName, Set.Line);
        if (First > Last) Fail(Set.Line, "range " + FirstName + " .. " + LastName + " runs backwards");
        for (int Kind = First; Kind <= Last; ++Kind)
          if (!G.KindNames[static_cast<size_t>(Kind)].empty()) Kinds.insert(Kind);
      }
      Set.Kinds.assign(Kinds.begin(), Kinds.end());
    }
  }

  void ResolveNames() {
    if (G.Productions.empty()) Fail(1, "the grammar has no productions");
    if (G.Starts.empty()) Fail(1, "the grammar has no start operations");
    std::set<std::string> Names;
    for (const TProduction& P : G.Productions) {
      if (!Names.insert(P.Name).second) Fail(P.Line, "production '" + P.Name + "' defined twice");
      if (G.Terminals.count(P.Name) != 0 || G.FindSet(P.Name) >= 0)
        Fail(P.Line, "production '" + P.Name + "' has the name of a token kind or set");
    }
    if (!G.OpenBracket.empty()) {
      G.OpenKind = KindOf(G.OpenBracket, G.BracketLine);
      G.CloseKind = KindOf(G.CloseBracket, G.BracketLine);
    }
    for (TProduction& P : G.Productions) Resolve(*P.Body);
    for (TStart& S : G.Starts) {
      S.Symbol = G.FindProduction(S.Production);
      if (S.Symbol < 0) Fail(S.Line, "undefined production '" + S.Production + "'");
    }
  }

  void Resolve(TNode& Node) {
    for (auto& Child : Node.Children) Resolve(*Child);
    if (Node.Kind != TNodeKind::nkNonTerminal) return;
    if (const auto It = G.Terminals.find(Node.Name); It != G.Terminals.end()) {
      Node.Kind = TNodeKind::nkTerminal;
      Node.Symbol = It->second;
      if (Node.Symbol == 0) Fail(Node.Line, "the end of the text is not a grammar symbol");
    } else if (const int Set = G.FindSet(Node.Name); Set >= 0) {
      Node.Kind = TNodeKind::nkSet;
      Node.Symbol = Set;
    } else {
      Node.Symbol = G.FindProduction(Node.Name);
      if (Node.Symbol < 0) Fail(Node.Line, "undefined symbol '" + Node.Name + "'");
      return;
    }
    if (!Node.Code.empty()) Fail(Node.Line, "token '" + Node.Name + "' cannot take attributes");
  }

  static void ForEachNode(const TNode& Node, const std::function<void(const TNode&)>& Visit) {
    Visit(Node);
    for (const auto& Child : Node.Children) ForEachNode(*Child, Visit);
  }

  void CheckReachable() {
    std::vector<bool> Reached(G.Productions.size(), false);
    std::vector<int> Pending;
    for (const TStart& S : G.Starts) Pending.push_back(S.Symbol);
    while (!Pending.empty()) {
      const int P = Pending.back();
      Pending.pop_back();
      if (Reached[static_cast<size_t>(P)]) continue;
      Reached[static_cast<size_t>(P)] = true;
      ForEachNode(*G.Productions[static_cast<size_t>(P)].Body, [&](const TNode& Node) {
        if (Node.Kind == TNodeKind::nkNonTerminal) Pending.push_back(Node.Symbol);
      });
    }
    for (size_t P = 0; P < G.Productions.size(); ++P)
      if (!Reached[P])
        Fail(G.Productions[P].Line,
             "production '" + G.Productions[P].Name + "' is unreachable from the start operations");
  }

  // FIRST2 of a node, remembered; only once the sets of the productions are final.
  const TLookAhead2& FirstOf(const TNode& Node) const {
    auto It = FFirstCache.find(&Node);
    if (It == FFirstCache.end()) It = FFirstCache.emplace(&Node, ComputeFirstOf(Node)).first;
    return It->second;
  }

  // FIRST2 of a node from the current sets of the productions.
  TLookAhead2 ComputeFirstOf(const TNode& Node) const {
    TLookAhead2 Result(K);
    switch (Node.Kind) {
      case TNodeKind::nkTerminal:
        Result.Add(Node.Symbol, Result.End());
        break;
      case TNodeKind::nkSet:
        for (int Kind : G.Sets[static_cast<size_t>(Node.Symbol)].Kinds) Result.Add(Kind, Result.End());
        break;
      case TNodeKind::nkNonTerminal:
        Result = First[static_cast<size_t>(Node.Symbol)];
        break;
      case TNodeKind::nkAction:
        Result.AddEmpty();
        break;
      case TNodeKind::nkSequence:
        Result.AddEmpty();
        for (const auto& Child : Node.Children) Result = TLookAhead2::Concat(Result, ComputeFirstOf(*Child));
        break;
      case TNodeKind::nkChoice:
        for (const auto& Child : Node.Children) Result |= ComputeFirstOf(*Child);
        break;
      case TNodeKind::nkOption:
        Result = ComputeFirstOf(*Node.Children.front());
        Result.AddEmpty();
        break;
      case TNodeKind::nkRepeat: {
        // Two kinds deep, any number of iterations looks like none, one or two of them.
        const TLookAhead2 Once = ComputeFirstOf(*Node.Children.front());
        Result = Once;
        Result |= TLookAhead2::Concat(Once, Once);
        Result.AddEmpty();
        break;
      }
    }
    return Result;
  }

  void ComputeFirst() {
    First.assign(G.Productions.size(), TLookAhead2(K));
    for (bool Changed = true; Changed;) {
      Changed = false;
      for (size_t P = 0; P < G.Productions.size(); ++P) {
        TLookAhead2 New = ComputeFirstOf(*G.Productions[P].Body);
        if (!(New == First[P])) {
          First[P] = std::move(New);
          Changed = true;
        }
      }
    }
    for (const TLookAhead2& F : First) A.Nullable.push_back(F.HasEmpty());
  }

  // A condition belongs to an alternative: of a choice, or the body of an option or repetition.
  void CheckGuards(const TNode& Node, bool MayHaveGuard) const {
    if (!Node.Guard.empty() && !MayHaveGuard) Fail(Node.Line, "IF must open an alternative, an option or a repetition");
    if (!Node.Resolver.empty() && !MayHaveGuard)
      Fail(Node.Line, "RESOLVE must open an alternative, an option or a repetition");
    for (const auto& Child : Node.Children)
      CheckGuards(*Child, Node.Kind == TNodeKind::nkChoice || Node.Kind == TNodeKind::nkOption ||
                              Node.Kind == TNodeKind::nkRepeat);
  }

  // With declared brackets every sequence closes what it opens, so that the bracket closing a
  // path's first bracket is the one that matches it in the text.
  void CheckBrackets() const {
    if (G.OpenKind < 0) return;
    for (const TTokenSet& Set : G.Sets)
      for (int Kind : Set.Kinds)
        if (Kind == G.OpenKind || Kind == G.CloseKind) Fail(Set.Line, "set '" + Set.Name + "' holds a bracket");
    for (const TProduction& P : G.Productions)
      ForEachNode(*P.Body, [&](const TNode& Node) {
        if (Node.Kind != TNodeKind::nkSequence) return;
        int Depth = 0;
        for (const auto& Child : Node.Children) {
          if (Child->Kind != TNodeKind::nkTerminal) continue;
          if (Child->Symbol == G.OpenKind) ++Depth;
          if (Child->Symbol == G.CloseKind && --Depth < 0)
            Fail(Child->Line, "a closing bracket without its opening one");
        }
        if (Depth != 0) Fail(Node.Line, "an opening bracket without its closing one");
      });
  }

  void CheckBodies() {
    CheckBrackets();
    for (const TProduction& P : G.Productions) CheckGuards(*P.Body, false);
    for (const TProduction& P : G.Productions)
      ForEachNode(*P.Body, [&](const TNode& Node) {
        if (Node.Kind == TNodeKind::nkRepeat && FirstOf(*Node.Children.front()).HasEmpty())
          Fail(Node.Line, "the body of a repetition can match nothing (it would never end)");
        if (Node.Kind == TNodeKind::nkOption && FirstOf(*Node.Children.front()).HasEmpty())
          Fail(Node.Line, "the body of an option can match nothing");
        if (Node.Kind == TNodeKind::nkChoice && Node.Children.size() > TDecisionTables::MaxAlternatives)
          Fail(Node.Line, "a choice has more than " + std::to_string(TDecisionTables::MaxAlternatives) +
                              " alternatives (use a token set or nest choices)");
      });
  }

  // The productions a node can call before it has consumed a token.
  void LeftCalls(const TNode& Node, std::set<int>& Calls) const {
    switch (Node.Kind) {
      case TNodeKind::nkNonTerminal:
        Calls.insert(Node.Symbol);
        break;
      case TNodeKind::nkSequence:
        for (const auto& Child : Node.Children) {
          LeftCalls(*Child, Calls);
          if (!FirstOf(*Child).HasEmpty()) break;
        }
        break;
      case TNodeKind::nkChoice:
      case TNodeKind::nkOption:
      case TNodeKind::nkRepeat:
        for (const auto& Child : Node.Children) LeftCalls(*Child, Calls);
        break;
      default:
        break;
    }
  }

  // A production that reaches itself without consuming a token would recurse for ever.
  void CheckLeftRecursion() const {
    const size_t N = G.Productions.size();
    std::vector<std::set<int>> Calls(N);
    for (size_t P = 0; P < N; ++P) LeftCalls(*G.Productions[P].Body, Calls[P]);
    std::vector<int> State(N, 0);  // 0 new, 1 on the path, 2 done
    std::vector<int> Path;
    std::function<void(int)> Visit = [&](int P) {
      State[static_cast<size_t>(P)] = 1;
      Path.push_back(P);
      for (int Q : Calls[static_cast<size_t>(P)]) {
        if (State[static_cast<size_t>(Q)] == 1) {
          std::string Cycle;
          for (auto It = std::find(Path.begin(), Path.end(), Q); It != Path.end(); ++It)
            Cycle += G.Productions[static_cast<size_t>(*It)].Name + " -> ";
          Fail(G.Productions[static_cast<size_t>(Q)].Line,
               "left recursion: " + Cycle + G.Productions[static_cast<size_t>(Q)].Name);
        }
        if (State[static_cast<size_t>(Q)] == 0) Visit(Q);
      }
      Path.pop_back();
      State[static_cast<size_t>(P)] = 2;
    };
    for (size_t P = 0; P < N; ++P)
      if (State[P] == 0) Visit(static_cast<int>(P));
  }

  // Walks a node with the strings that can follow it (Follow), handing every call its follow
  // and every decision its own (SiteFollow).
  void WalkFollow(const TNode& Node, const TLookAhead2& Follow, std::vector<TLookAhead2>& Into) const {
    switch (Node.Kind) {
      case TNodeKind::nkNonTerminal:
        Into[static_cast<size_t>(Node.Symbol)] |= Follow;
        break;
      case TNodeKind::nkSequence: {
        TLookAhead2 After = Follow;
        for (size_t I = Node.Children.size(); I-- > 0;) {
          WalkFollow(*Node.Children[I], After, Into);
          After = TLookAhead2::Concat(FirstOf(*Node.Children[I]), After);
        }
        break;
      }
      case TNodeKind::nkChoice:
      case TNodeKind::nkOption:
        for (const auto& Child : Node.Children) WalkFollow(*Child, Follow, Into);
        break;
      case TNodeKind::nkRepeat:
        WalkFollow(*Node.Children.front(), TLookAhead2::Concat(FirstOf(Node), Follow), Into);
        break;
      default:
        break;
    }
  }

  void ComputeFollow() {
    A.Follow.assign(G.Productions.size(), TLookAhead2(K));
    // A start production is followed by the end of the text, and past the end only the end.
    for (const TStart& S : G.Starts) A.Follow[static_cast<size_t>(S.Symbol)].Add(0, 0);
    for (bool Changed = true; Changed;) {
      Changed = false;
      std::vector<TLookAhead2> New = A.Follow;
      for (size_t P = 0; P < G.Productions.size(); ++P) WalkFollow(*G.Productions[P].Body, A.Follow[P], New);
      if (!(New == A.Follow)) {
        A.Follow = std::move(New);
        Changed = true;
      }
    }
  }

  std::vector<std::vector<uint8_t>> MakeSetTables() const {
    std::vector<std::vector<uint8_t>> Tables;
    for (const TTokenSet& Set : G.Sets) {
      std::vector<uint8_t> Table(static_cast<size_t>(K), 0);
      for (int Kind : Set.Kinds) Table[static_cast<size_t>(Kind)] = 1;
      Tables.push_back(std::move(Table));
    }
    return Tables;
  }

  // The kinds some token test of the grammar can accept; the end always counts (the parse
  // driver asks for it).
  std::vector<uint8_t> AcceptedKinds() const {
    std::vector<uint8_t> Accepted(static_cast<size_t>(K), 0);
    Accepted[0] = 1;
    for (const TProduction& P : G.Productions)
      ForEachNode(*P.Body, [&](const TNode& Node) {
        if (Node.Kind == TNodeKind::nkTerminal) Accepted[static_cast<size_t>(Node.Symbol)] = 1;
        if (Node.Kind == TNodeKind::nkSet)
          for (int Kind : G.Sets[static_cast<size_t>(Node.Symbol)].Kinds) Accepted[static_cast<size_t>(Kind)] = 1;
      });
    return Accepted;
  }

  // One-kind look-ahead of an alternative: its first kinds, and when it can match nothing also
  // those of what follows.
  std::vector<bool> First1(const TLookAhead2& Set, const TLookAhead2& Follow) const {
    std::vector<bool> Result(static_cast<size_t>(K), false);
    for (int T = 0; T < K; ++T) Result[static_cast<size_t>(T)] = Set.Starts(T) || (Set.HasEmpty() && Follow.Starts(T));
    return Result;
  }

  // Numbers the decisions in the order of the grammar text and computes their tables.
  void BuildDecisions(TNode& Node, const TLookAhead2& Follow) {
    if (Node.Kind == TNodeKind::nkOption || Node.Kind == TNodeKind::nkRepeat || Node.Kind == TNodeKind::nkChoice) {
      Node.Decision = static_cast<int>(A.Decisions.size());
      A.Decisions.push_back(MakeTables(Node, Follow));
    }
    switch (Node.Kind) {
      case TNodeKind::nkSequence: {
        std::vector<TLookAhead2> After(Node.Children.size(), TLookAhead2(K));
        TLookAhead2 Rest = Follow;
        for (size_t I = Node.Children.size(); I-- > 0;) {
          After[I] = Rest;
          Rest = TLookAhead2::Concat(FirstOf(*Node.Children[I]), Rest);
        }
        for (size_t I = 0; I < Node.Children.size(); ++I) BuildDecisions(*Node.Children[I], After[I]);
        break;
      }
      case TNodeKind::nkChoice:
      case TNodeKind::nkOption:
        for (auto& Child : Node.Children) BuildDecisions(*Child, Follow);
        break;
      case TNodeKind::nkRepeat:
        BuildDecisions(*Node.Children.front(), TLookAhead2::Concat(FirstOf(Node), Follow));
        break;
      default:
        break;
    }
  }

  // --- what follows the bracket that closes a path's first bracket --------------------------------

  using TKinds = std::vector<bool>;

  static void Merge(TKinds& Into, const TKinds& From) {
    for (size_t I = 0; I < Into.size(); ++I) Into[I] = Into[I] || From[I];
  }

  // The first kinds of Items[From..], and Follow when all of them can match nothing.
  TKinds FirstOfRest(const std::vector<std::unique_ptr<TNode>>& Items, size_t From, const TKinds& Follow) const {
    TKinds Result(static_cast<size_t>(K), false);
    for (size_t I = From; I < Items.size(); ++I) {
      const TLookAhead2& F = FirstOf(*Items[I]);
      for (int T = 0; T < K; ++T)
        if (F.Starts(T)) Result[static_cast<size_t>(T)] = true;
      if (!F.HasEmpty()) return Result;
    }
    Merge(Result, Follow);
    return Result;
  }

  // For the paths of Items[From..] that start with an opening bracket: the kinds that can follow
  // the bracket closing it. Nothing when the kinds cannot be told.
  std::optional<TKinds> AfterBracketInSequence(const std::vector<std::unique_ptr<TNode>>& Items, size_t From,
                                               const TKinds& Follow) const {
    TKinds Result(static_cast<size_t>(K), false);
    for (size_t I = From; I < Items.size(); ++I) {
      const TNode& Item = *Items[I];
      const TLookAhead2& F = FirstOf(Item);
      if (F.Starts(G.OpenKind)) {
        if (Item.Kind == TNodeKind::nkTerminal) {
          int Depth = 0;
          size_t Close = I;
          for (; Close < Items.size(); ++Close) {
            if (Items[Close]->Kind != TNodeKind::nkTerminal) continue;
            if (Items[Close]->Symbol == G.OpenKind) ++Depth;
            if (Items[Close]->Symbol == G.CloseKind && --Depth == 0) break;
          }
          if (Close == Items.size()) return std::nullopt;
          Merge(Result, FirstOfRest(Items, Close + 1, Follow));
        } else {
          const std::optional<TKinds> Inner = AfterBracket(Item, FirstOfRest(Items, I + 1, Follow));
          if (!Inner) return std::nullopt;
          Merge(Result, *Inner);
        }
      }
      if (!F.HasEmpty()) break;
    }
    return Result;
  }

  std::optional<TKinds> AfterBracket(const TNode& Node, const TKinds& Follow) const {
    switch (Node.Kind) {
      case TNodeKind::nkSequence:
        return AfterBracketInSequence(Node.Children, 0, Follow);
      case TNodeKind::nkChoice: {
        TKinds Result(static_cast<size_t>(K), false);
        for (const auto& Child : Node.Children) {
          const std::optional<TKinds> Inner = AfterBracket(*Child, Follow);
          if (!Inner) return std::nullopt;
          Merge(Result, *Inner);
        }
        return Result;
      }
      case TNodeKind::nkOption:
        return AfterBracket(*Node.Children.front(), Follow);
      case TNodeKind::nkRepeat: {
        TKinds Again = FirstOfRest(Node.Children, 0, Follow);  // another iteration, or what follows
        return AfterBracket(*Node.Children.front(), Again);
      }
      case TNodeKind::nkNonTerminal:
        // No left recursion, so following the left edge of the calls ends.
        return AfterBracket(*G.Productions[static_cast<size_t>(Node.Symbol)].Body, Follow);
      case TNodeKind::nkTerminal:
        if (Node.Symbol == G.OpenKind) return std::nullopt;  // a bracket outside a sequence
        return TKinds(static_cast<size_t>(K), false);
      default:
        return TKinds(static_cast<size_t>(K), false);
    }
  }

  // --- what comes first after leading opening brackets ---------------------------------------

  struct TBeyond {
    TKinds Kinds;
    bool Empty = true;  // the node can match nothing but opening brackets
    bool operator==(const TBeyond&) const = default;
  };

  // FIRST with the opening bracket taken as matching nothing, from the current sets of the
  // productions (Beyond).
  TBeyond BeyondOf(const TNode& Node) const {
    TBeyond Result{TKinds(static_cast<size_t>(K), false), false};
    switch (Node.Kind) {
      case TNodeKind::nkTerminal:
        if (Node.Symbol == G.OpenKind)
          Result.Empty = true;
        else
          Result.Kinds[static_cast<size_t>(Node.Symbol)] = true;
        break;
      case TNodeKind::nkSet:
        for (int Kind : G.Sets[static_cast<size_t>(Node.Symbol)].Kinds) Result.Kinds[static_cast<size_t>(Kind)] = true;
        break;
      case TNodeKind::nkNonTerminal:
        Result = Beyond[static_cast<size_t>(Node.Symbol)];
        break;
      case TNodeKind::nkAction:
        Result.Empty = true;
        break;
      case TNodeKind::nkSequence:
        Result.Empty = true;
        for (const auto& Child : Node.Children) {
          const TBeyond Part = BeyondOf(*Child);
          Merge(Result.Kinds, Part.Kinds);
          if (!Part.Empty) {
            Result.Empty = false;
            break;
          }
        }
        break;
      case TNodeKind::nkChoice:
        for (const auto& Child : Node.Children) {
          const TBeyond Part = BeyondOf(*Child);
          Merge(Result.Kinds, Part.Kinds);
          Result.Empty = Result.Empty || Part.Empty;
        }
        break;
      case TNodeKind::nkOption:
      case TNodeKind::nkRepeat:
        Result = BeyondOf(*Node.Children.front());
        Result.Empty = true;
        break;
    }
    return Result;
  }

  void ComputeBeyond() {
    Beyond.assign(G.Productions.size(), TBeyond{TKinds(static_cast<size_t>(K), false), false});
    for (bool Changed = true; Changed;) {
      Changed = false;
      for (size_t P = 0; P < G.Productions.size(); ++P) {
        TBeyond New = BeyondOf(*G.Productions[P].Body);
        if (!(New == Beyond[P])) {
          Beyond[P] = std::move(New);
          Changed = true;
        }
      }
    }
  }

  // Where several alternatives of a choice start with an opening bracket, the kinds that can
  // come first after their leading brackets, per alternative (empty when they do not help).
  void ComputeBeyondBrackets(TDecisionTables& T, const TNode& Choice) const {
    T.BeyondBrackets.assign(Choice.Children.size(), {});
    if (G.OpenKind < 0) return;
    std::vector<std::optional<TKinds>> First;
    for (const auto& Alternative : Choice.Children) {
      const TBeyond B = BeyondOf(*Alternative);
      if (FirstOf(*Alternative).Starts(G.OpenKind) && !B.Empty)
        First.push_back(B.Kinds);
      else
        First.push_back(std::nullopt);
    }
    std::set<TKinds> Distinct;
    for (const auto& F : First)
      if (F) Distinct.insert(*F);
    if (Distinct.size() < 2) return;
    for (size_t I = 0; I < First.size(); ++I) {
      if (!First[I]) continue;
      std::vector<uint8_t> Table(static_cast<size_t>(K), 0);
      for (int Kind = 0; Kind < K; ++Kind)
        Table[static_cast<size_t>(Kind)] = (*First[I])[static_cast<size_t>(Kind)] ? 1 : 0;
      T.BeyondBrackets[I] = std::move(Table);
    }
  }

  // Where several alternatives of a choice start with an opening bracket, the kinds that can
  // follow its closing bracket, per alternative (empty when they do not help).
  void ComputeAfterBracket(TDecisionTables& T, const TNode& Choice, const TLookAhead2& Follow) const {
    T.AfterBracket.assign(Choice.Children.size(), {});
    if (G.OpenKind < 0) return;
    TKinds Follow1(static_cast<size_t>(K), false);
    for (int Kind = 0; Kind < K; ++Kind) Follow1[static_cast<size_t>(Kind)] = Follow.Starts(Kind);
    std::vector<std::optional<TKinds>> After;
    int Opening = 0;
    for (const auto& Alternative : Choice.Children) {
      if (FirstOf(*Alternative).Starts(G.OpenKind)) {
        ++Opening;
        After.push_back(AfterBracket(*Alternative, Follow1));
      } else {
        After.push_back(std::nullopt);
      }
    }
    if (Opening < 2) return;
    std::set<TKinds> Distinct;
    for (const auto& A : After)
      if (A) Distinct.insert(*A);
    if (Distinct.size() < 2) return;
    for (size_t I = 0; I < After.size(); ++I) {
      if (!After[I]) continue;
      std::vector<uint8_t> Table(static_cast<size_t>(K), 0);
      for (int Kind = 0; Kind < K; ++Kind)
        Table[static_cast<size_t>(Kind)] = (*After[I])[static_cast<size_t>(Kind)] ? 1 : 0;
      T.AfterBracket[I] = std::move(Table);
    }
  }

  TDecisionTables MakeTables(const TNode& Node, const TLookAhead2& Follow) const {
    TDecisionTables T;
    T.Node = &Node;
    // The strings each alternative can see (two kinds), and its one-kind look-ahead as the
    // error rule defines it: options and repetitions may always stop.
    std::vector<TLookAhead2> Sees;
    std::vector<std::vector<bool>> Exact;
    const std::vector<bool> Always(static_cast<size_t>(K), true);
    if (Node.Kind == TNodeKind::nkChoice) {
      for (const auto& Alternative : Node.Children) {
        const TLookAhead2 F = FirstOf(*Alternative);
        Sees.push_back(TLookAhead2::Concat(F, Follow));
        Exact.push_back(First1(F, Follow));
        T.Guards.push_back(Alternative->Guard);
        T.Resolvers.push_back(Alternative->Resolver);
      }
    } else {
      const TNode& Body = *Node.Children.front();
      const TLookAhead2 F = FirstOf(Body);
      const TLookAhead2 AfterBody =
          Node.Kind == TNodeKind::nkRepeat ? TLookAhead2::Concat(FirstOf(Node), Follow) : Follow;
      Sees = {Follow, TLookAhead2::Concat(F, AfterBody)};
      Exact = {Always, First1(F, AfterBody)};
      T.Guards = {"", Body.Kind == TNodeKind::nkSequence ? Body.Guard : ""};
      T.Resolvers = {"", Body.Kind == TNodeKind::nkSequence ? Body.Resolver : ""};
    }
    T.Alternatives = static_cast<int>(Sees.size());
    if (Node.Kind == TNodeKind::nkChoice) {
      ComputeAfterBracket(T, Node, Follow);
      ComputeBeyondBrackets(T, Node);
    }
    T.AfterBracket.resize(static_cast<size_t>(T.Alternatives));
    T.BeyondBrackets.resize(static_cast<size_t>(T.Alternatives));
    T.Exact.assign(static_cast<size_t>(K), 0);
    T.Fast.assign(static_cast<size_t>(K), 0);
    for (int T1 = 0; T1 < K; ++T1) {
      std::vector<uint16_t> Masks(static_cast<size_t>(K), 0);
      for (int I = 0; I < T.Alternatives; ++I) {
        const uint16_t Bit = static_cast<uint16_t>(1u << I);
        if (Exact[static_cast<size_t>(I)][static_cast<size_t>(T1)]) T.Exact[static_cast<size_t>(T1)] |= Bit;
        const TLookAhead2& S = Sees[static_cast<size_t>(I)];
        const bool Any = S.Has(T1, S.End());
        for (int T2 = 0; T2 < K; ++T2)
          if (Any || S.Has(T1, T2)) Masks[static_cast<size_t>(T2)] |= Bit;
      }
      // Past the end of the text only the end follows: the other columns can never be read.
      if (T1 == 0) std::fill(Masks.begin(), Masks.end(), Masks.front());
      if (std::all_of(Masks.begin(), Masks.end(), [&](uint16_t M) { return M == Masks.front(); })) {
        T.Fast[static_cast<size_t>(T1)] = Masks.front();
        continue;
      }
      auto It = std::find(T.Rows.begin(), T.Rows.end(), Masks);
      if (It == T.Rows.end()) It = T.Rows.insert(T.Rows.end(), Masks);
      T.Fast[static_cast<size_t>(T1)] = static_cast<uint16_t>(TDecisionTables::FastRowFlag | (It - T.Rows.begin()));
    }
    return T;
  }

  TGrammar& G;
  const int K;
  std::vector<TLookAhead2> First;
  TAnalysis A;
  mutable std::map<const TNode*, TLookAhead2> FFirstCache;
  std::vector<TBeyond> Beyond;  // per production
};

}  // namespace

TAnalysis AnalyseGrammar(TGrammar& Grammar) { return TAnalyser(Grammar).Run(); }

}  // namespace vxgen
