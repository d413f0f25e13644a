#include "vxGrammarReader.h"

#include <algorithm>
#include <cctype>
#include <regex>

namespace vxgen {

int TGrammar::FindProduction(const std::string& Name) const {
  for (size_t I = 0; I < Productions.size(); ++I)
    if (Productions[I].Name == Name) return static_cast<int>(I);
  return -1;
}

int TGrammar::FindSet(const std::string& Name) const {
  for (size_t I = 0; I < Sets.size(); ++I)
    if (Sets[I].Name == Name) return static_cast<int>(I);
  return -1;
}

namespace {

bool IsIdentStart(char C) { return std::isalpha(static_cast<unsigned char>(C)) != 0 || C == '_'; }
bool IsIdentChar(char C) { return std::isalnum(static_cast<unsigned char>(C)) != 0 || C == '_'; }

// A recursive-descent reader working directly on the text: the grammar's code blocks and
// attribute lists are C++ and must be taken over character by character.
class TReader {
public:
  TReader(const std::string& File, const std::string& Text) : FFile(File), FText(Text) {}

  TGrammar Read() {
    TGrammar Grammar;
    Grammar.File = FFile;
    ExpectWord("PARSER");
    Grammar.ClassName = ReadIdent("the parser class name");
    ExpectChar(':');
    Grammar.BaseClass = ReadIdent("the base class name");
    ExpectWord("TOKENS");
    Grammar.TokensHeader = ReadString();
    Grammar.TokensQualifier = ReadQualifiedName();
    while (true) {
      const std::string Word = PeekWord();
      if (Word == "HEADER") {
        ReadWord();
        Grammar.HeaderCode += ReadCode();
      } else if (Word == "MEMBERS") {
        ReadWord();
        Grammar.MembersCode += ReadCode();
      } else if (Word == "CODE") {
        ReadWord();
        Grammar.SourceCode += ReadCode();
      } else if (Word == "SETS") {
        ReadWord();
        while (PeekIsIdentNotKeyword()) Grammar.Sets.push_back(ReadSet());
      } else if (Word == "BRACKETS") {
        ReadWord();
        Grammar.BracketLine = FLine;
        Grammar.OpenBracket = ReadIdent("the opening bracket's kind");
        Grammar.CloseBracket = ReadIdent("the closing bracket's kind");
      } else if (Word == "START") {
        ReadWord();
        if (PeekWord() == "OVERRIDE") {
          ReadWord();
          Grammar.StartsOverride = true;
        }
        while (PeekIsIdentNotKeyword()) Grammar.Starts.push_back(ReadStart());
      } else if (Word == "PRODUCTIONS") {
        ReadWord();
        while (PeekIsIdentNotKeyword()) Grammar.Productions.push_back(ReadProduction());
      } else if (Word == "END") {
        ReadWord();
        SkipSpace();
        if (FPos < FText.size()) Fail("text after END");
        break;
      } else {
        Fail(Word.empty() ? "END expected" : "unexpected '" + Word + "'");
      }
    }
    // The qualifier names the enum ("ns::TEnum"); generated code names kinds as "ns::kind".
    const size_t Colons = Grammar.TokensQualifier.rfind("::");
    Grammar.TokensEnum =
        Colons == std::string::npos ? Grammar.TokensQualifier : Grammar.TokensQualifier.substr(Colons + 2);
    Grammar.TokensQualifier = Colons == std::string::npos ? "" : Grammar.TokensQualifier.substr(0, Colons + 2);
    return Grammar;
  }

private:
  [[noreturn]] void Fail(const std::string& Message) const { throw EGrammarError(FFile, FLine, Message); }

  void Advance() {
    if (FText[FPos] == '\n') ++FLine;
    ++FPos;
  }

  void SkipSpace() {
    while (FPos < FText.size()) {
      const char C = FText[FPos];
      if (std::isspace(static_cast<unsigned char>(C)) != 0) {
        Advance();
      } else if (C == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '/') {
        while (FPos < FText.size() && FText[FPos] != '\n') Advance();
      } else if (C == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '*') {
        const int Start = FLine;
        FPos += 2;
        while (FPos + 1 < FText.size() && !(FText[FPos] == '*' && FText[FPos + 1] == '/')) Advance();
        if (FPos + 1 >= FText.size()) throw EGrammarError(FFile, Start, "comment not closed");
        FPos += 2;
      } else {
        break;
      }
    }
  }

  char Peek() {
    SkipSpace();
    return FPos < FText.size() ? FText[FPos] : '\0';
  }
  bool PeekIs(const char* Text) {
    SkipSpace();
    return FText.compare(FPos, std::char_traits<char>::length(Text), Text) == 0;
  }

  std::string PeekWord() {
    SkipSpace();
    size_t End = FPos;
    while (End < FText.size() && IsIdentChar(FText[End])) ++End;
    return FText.substr(FPos, End - FPos);
  }
  std::string ReadWord() {
    const std::string Word = PeekWord();
    FPos += Word.size();
    return Word;
  }
  static bool IsSectionKeyword(const std::string& Word) {
    return Word == "HEADER" || Word == "MEMBERS" || Word == "CODE" || Word == "SETS" || Word == "BRACKETS" ||
           Word == "START" || Word == "PRODUCTIONS" || Word == "END";
  }
  bool PeekIsIdentNotKeyword() {
    const std::string Word = PeekWord();
    return !Word.empty() && IsIdentStart(Word[0]) && !IsSectionKeyword(Word);
  }

  void ExpectWord(const char* Word) {
    if (PeekWord() != Word) Fail(std::string(Word) + " expected");
    ReadWord();
  }
  std::string ReadIdent(const char* What) {
    const std::string Word = PeekWord();
    if (Word.empty() || !IsIdentStart(Word[0])) Fail(std::string(What) + " expected");
    return ReadWord();
  }
  void ExpectChar(char C) {
    if (Peek() != C) Fail(std::string("'") + C + "' expected");
    Advance();
  }
  std::string ReadQualifiedName() {
    std::string Result = ReadIdent("a name");
    while (PeekIs("::")) {
      FPos += 2;
      Result += "::" + ReadIdent("a name");
    }
    return Result;
  }

  std::string ReadString() {
    if (Peek() != '"') Fail("a quoted file name expected");
    Advance();
    const size_t Start = FPos;
    while (FPos < FText.size() && FText[FPos] != '"' && FText[FPos] != '\n') Advance();
    if (FPos >= FText.size() || FText[FPos] != '"') Fail("string not closed");
    std::string Result = FText.substr(Start, FPos - Start);
    Advance();
    return Result;
  }

  // Reads up to the closing Close of an opened block, skipping C++ string and character
  // literals; Open and Close nest unless they are two characters long.
  std::string ReadUntil(const std::string& Open, const std::string& Close, int StartLine) {
    const size_t Start = FPos;
    int Depth = 0;
    while (FPos < FText.size()) {
      const char C = FText[FPos];
      if (C == '"' || C == '\'') {
        Advance();
        while (FPos < FText.size() && FText[FPos] != C && FText[FPos] != '\n') {
          if (FText[FPos] == '\\' && FPos + 1 < FText.size()) Advance();
          Advance();
        }
        if (FPos < FText.size() && FText[FPos] == C) Advance();
        continue;
      }
      if (Close.size() == 1 && C == '-' && FPos + 1 < FText.size() && FText[FPos + 1] == '>') {
        FPos += 2;  // "->" closes nothing
        continue;
      }
      if (FText.compare(FPos, Close.size(), Close) == 0) {
        if (Depth == 0) {
          std::string Result = FText.substr(Start, FPos - Start);
          FPos += Close.size();
          return Result;
        }
        --Depth;
        FPos += Close.size();
        continue;
      }
      if (Open.size() == 1 && FText.compare(FPos, Open.size(), Open) == 0) ++Depth;
      Advance();
    }
    throw EGrammarError(FFile, StartLine, "'" + Open + "' not closed");
  }

  std::string ReadCode() {
    if (!PeekIs("(.")) Fail("'(.' expected");
    const int Line = FLine;
    FPos += 2;
    return ReadUntil("(.", ".)", Line);
  }

  // "<args>" or "<. args .>" directly after a name; empty when there is none.
  std::string ReadAttributes() {
    if (FPos >= FText.size() || FText[FPos] != '<') {
      SkipSpace();
      if (FPos >= FText.size() || FText[FPos] != '<') return {};
    }
    const int Line = FLine;
    if (FText.compare(FPos, 2, "<.") == 0) {
      FPos += 2;
      return Trim(ReadUntil("<.", ".>", Line));
    }
    ++FPos;
    return Trim(ReadUntil("<", ">", Line));
  }

  static std::string Trim(const std::string& Text) {
    size_t Begin = 0, End = Text.size();
    while (Begin < End && std::isspace(static_cast<unsigned char>(Text[Begin])) != 0) ++Begin;
    while (End > Begin && std::isspace(static_cast<unsigned char>(Text[End - 1])) != 0) --End;
    return Text.substr(Begin, End - Begin);
  }

  TTokenSet ReadSet() {
    TTokenSet Set;
    Set.Line = FLine;
    Set.Name = ReadIdent("a set name");
    ExpectChar('=');
    while (true) {
      const std::string First = ReadIdent("a token kind");
      std::string Last = First;
      if (PeekIs("..")) {
        FPos += 2;
        Last = ReadIdent("a token kind");
      }
      Set.Ranges.emplace_back(First, Last);
      if (Peek() != ',') break;
      Advance();
    }
    ExpectChar('.');
    return Set;
  }

  TStart ReadStart() {
    TStart Start;
    Start.Line = FLine;
    Start.Operation = ReadIdent("a start operation name");
    ExpectChar(':');
    SkipSpace();
    const size_t Begin = FPos;
    int Depth = 0;
    while (FPos < FText.size() && !(FText[FPos] == '=' && Depth == 0)) {
      if (FText[FPos] == '<') ++Depth;
      if (FText[FPos] == '>') --Depth;
      if (FText[FPos] == '\n') Fail("'=' expected");
      Advance();
    }
    Start.ResultType = Trim(FText.substr(Begin, FPos - Begin));
    if (Start.ResultType.empty()) Fail("the result type expected");
    ExpectChar('=');
    Start.Production = ReadIdent("a production name");
    ExpectChar('.');
    return Start;
  }

  TProduction ReadProduction() {
    TProduction Production;
    Production.Line = FLine;
    Production.Name = ReadIdent("a production name");
    Production.Params = ReadAttributes();
    if (PeekWord() == "LEVELS") {
      ReadWord();
      const std::string Count = ReadWord();
      const bool Digits = !Count.empty() && Count.size() <= 2 &&
                          std::all_of(Count.begin(), Count.end(), [](char C) { return std::isdigit(C) != 0; });
      if (!Digits || std::stoi(Count) == 0) Fail("a number of levels from 1 to 99 expected");
      Production.Levels = std::stoi(Count);
    }
    if (PeekIs("(.")) Production.Locals = ReadCode();
    ExpectChar('=');
    Production.Body = ReadExpression();
    ExpectChar('.');
    return Production;
  }

  std::unique_ptr<TNode> NewNode(TNodeKind Kind) {
    auto Node = std::make_unique<TNode>();
    Node->Kind = Kind;
    Node->Line = FLine;
    return Node;
  }

  // expression = alternative { "|" alternative }. A single alternative is returned as it is.
  std::unique_ptr<TNode> ReadExpression() {
    auto Choice = NewNode(TNodeKind::nkChoice);
    Choice->Children.push_back(ReadAlternative());
    while (Peek() == '|') {
      Advance();
      Choice->Children.push_back(ReadAlternative());
    }
    if (Choice->Children.size() == 1) return std::move(Choice->Children.front());
    return Choice;
  }

  // alternative = [ IF "(" condition ")" ] { factor }
  std::unique_ptr<TNode> ReadAlternative() {
    auto Sequence = NewNode(TNodeKind::nkSequence);
    if (PeekWord() == "IF") {
      ReadWord();
      ExpectChar('(');
      Sequence->Guard = Trim(ReadUntil("(", ")", FLine));
      if (Sequence->Guard.empty()) Fail("IF needs a condition");
    }
    if (PeekWord() == "RESOLVE") {
      ReadWord();
      ExpectChar('(');
      Sequence->Resolver = Trim(ReadUntil("(", ")", FLine));
      if (Sequence->Resolver.empty()) Fail("RESOLVE needs a condition");
    }
    while (true) {
      const char C = Peek();
      if (C == '|' || C == ')' || C == ']' || C == '}' || C == '\0') break;
      if (C == '.' && !PeekIs(".)")) break;
      if (PeekIs("(.")) {
        auto Action = NewNode(TNodeKind::nkAction);
        Action->Code = ReadCode();
        Sequence->Children.push_back(std::move(Action));
      } else if (C == '(' || C == '[' || C == '{') {
        const int Line = FLine;
        Advance();
        auto Inner = ReadExpression();
        const char Close = C == '(' ? ')' : (C == '[' ? ']' : '}');
        if (Peek() != Close) throw EGrammarError(FFile, Line, std::string("'") + C + "' not closed");
        Advance();
        if (C == '(') {
          Sequence->Children.push_back(std::move(Inner));
        } else {
          auto Wrapper = NewNode(C == '[' ? TNodeKind::nkOption : TNodeKind::nkRepeat);
          Wrapper->Line = Line;
          Wrapper->Children.push_back(std::move(Inner));
          Sequence->Children.push_back(std::move(Wrapper));
        }
      } else if (IsIdentStart(C)) {
        if (IsSectionKeyword(PeekWord())) break;
        auto Symbol = NewNode(TNodeKind::nkNonTerminal);  // resolved to a terminal or set later
        Symbol->Name = ReadWord();
        if (Symbol->Name == "IF" || Symbol->Name == "RESOLVE") Fail(Symbol->Name + " can only open an alternative");
        Symbol->Code = ReadAttributes();
        Sequence->Children.push_back(std::move(Symbol));
      } else {
        Fail(std::string("unexpected '") + C + "'");
      }
    }
    return Sequence;
  }

  std::string FFile;
  const std::string& FText;
  size_t FPos = 0;
  int FLine = 1;
};

}  // namespace

TGrammar ReadGrammar(const std::string& File, const std::string& Text) { return TReader(File, Text).Read(); }

void ReadTokensHeader(TGrammar& Grammar, const std::string& HeaderFile, const std::string& HeaderText) {
  const std::string& EnumName = Grammar.TokensEnum;
  const std::regex EnumStart("enum\\s+(class\\s+)?" + EnumName + "\\b[^{]*\\{");
  std::smatch Match;
  if (!std::regex_search(HeaderText, Match, EnumStart))
    throw EGrammarError(HeaderFile, 1, "enum " + EnumName + " not found");
  const size_t Begin = static_cast<size_t>(Match.position(0) + Match.length(0));
  const size_t End = HeaderText.find('}', Begin);
  const std::string Body = HeaderText.substr(Begin, End - Begin);
  const std::regex Entry("([A-Za-z_][A-Za-z_0-9]*)\\s*=\\s*([0-9]+)");
  for (auto It = std::sregex_iterator(Body.begin(), Body.end(), Entry); It != std::sregex_iterator(); ++It) {
    const std::string Name = (*It)[1];
    const int Kind = std::stoi((*It)[2]);
    // The parser keeps a token's kind in a byte, and one value stands for unknown kinds.
    if (Kind > 254) throw EGrammarError(HeaderFile, 1, "token kind " + Name + " is above 254");
    Grammar.Terminals[Name] = Kind;
    if (static_cast<int>(Grammar.KindNames.size()) <= Kind) Grammar.KindNames.resize(static_cast<size_t>(Kind) + 1);
    Grammar.KindNames[static_cast<size_t>(Kind)] = Name;
  }
  if (Grammar.Terminals.empty()) throw EGrammarError(HeaderFile, 1, "enum " + EnumName + " has no kinds");
  if (Grammar.KindNames[0].empty()) throw EGrammarError(HeaderFile, 1, "no kind 0 (the end of the text)");
}

}  // namespace vxgen
