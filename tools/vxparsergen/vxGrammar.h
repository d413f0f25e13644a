// The grammar model of vxparsergen: an attributed EBNF read from a grammar file, resolved
// against the token kinds of a scanner header, plus the error type every stage reports with.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vxgen {

// A mistake in the grammar (or its tokens header), with the place it was found.
class EGrammarError : public std::runtime_error {
public:
  EGrammarError(const std::string& File, int Line, const std::string& Message)
      : std::runtime_error(File + ":" + std::to_string(Line) + ": error: " + Message), FLine(Line) {}
  int GetLine() const { return FLine; }

private:
  int FLine;
};

enum class TNodeKind {
  nkTerminal,     // one token kind
  nkSet,          // any kind of a named token set
  nkNonTerminal,  // a call of a production
  nkAction,       // C++ code run by the replay
  nkSequence,     // children in order; may carry a guard
  nkChoice,       // children are the alternatives (each a sequence)
  nkOption,       // [ child ]
  nkRepeat        // { child }
};

struct TNode {
  TNodeKind Kind;
  int Line = 0;
  std::string Name;      // terminal, set or production name
  std::string Code;      // action code, or the arguments of a call
  std::string Guard;     // sequence: the condition of IF(...) that opens it, empty when none
  std::string Resolver;  // sequence: the condition of RESOLVE(...), empty when none
  std::vector<std::unique_ptr<TNode>> Children;
  int Symbol = -1;    // resolved: kind of a terminal, index of a set or of a production
  int Decision = -1;  // option, repetition and choice: index of its decision
};

struct TTokenSet {
  std::string Name;
  int Line = 0;
  std::vector<std::pair<std::string, std::string>> Ranges;  // as written: first and last kind name
  std::vector<int> Kinds;                                   // resolved, ascending
};

struct TProduction {
  std::string Name;
  int Line = 0;
  std::string Params;  // C++ parameter list of the replay function
  std::string Locals;  // C++ code at the start of the replay function
  int Levels = 1;      // levels of nesting the production counts (LEVELS n)
  std::unique_ptr<TNode> Body;
};

// A start operation: ResultType Operation() replays Production (whose single parameter is a
// ResultType&) and OperationWayCalc(ways) runs its way calculation.
struct TStart {
  std::string Operation;
  std::string ResultType;
  std::string Production;
  int Line = 0;
  int Symbol = -1;
};

struct TGrammar {
  std::string File;  // the grammar file's name as given (for messages and the banner)
  std::string ClassName;
  std::string BaseClass;
  std::string TokensHeader;     // as written in the grammar, used in #include
  std::string TokensEnum;       // the enum of the kinds, without its namespace
  std::string TokensQualifier;  // prefix of the kind names in generated code, e.g. "sql92::"
  std::string HeaderCode;       // verbatim before the class in the header
  std::string MembersCode;      // verbatim inside the class
  std::string SourceCode;       // verbatim at the top of the source file
  bool StartsOverride = false;  // the start operations override virtuals of the base
  std::string OpenBracket;      // kinds of the bracket pair, empty without BRACKETS
  std::string CloseBracket;
  int BracketLine = 0;
  int OpenKind = -1;  // resolved
  int CloseKind = -1;
  std::map<std::string, int> Terminals;  // kind name -> kind number
  std::vector<std::string> KindNames;    // kind number -> name (empty for gaps)
  std::vector<TTokenSet> Sets;
  std::vector<TProduction> Productions;
  std::vector<TStart> Starts;

  // Number of entries of every generated kind table: the kinds 0..max plus one slot for kinds
  // the grammar does not know.
  int KindCount() const { return static_cast<int>(KindNames.size()) + 1; }
  int FindProduction(const std::string& Name) const;
  int FindSet(const std::string& Name) const;
};

}  // namespace vxgen
