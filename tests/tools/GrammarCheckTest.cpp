// The generator's checks and look-ahead sets, on grammar texts written into the tests.
#include "vxGrammarAnalysis.h"
#include "vxGrammarReader.h"
#include "vxParserWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

using namespace vxgen;

namespace {

const char* const Tokens = R"(
namespace t {
enum TKind : int { tEnd = 0, tA = 1, tB = 2, tC = 3, tDot = 4, tComma = 5 };
}
)";

// Everything before the productions; Productions follow, then END.
std::string Grammar(const std::string& Productions, const std::string& Start = "s") {
  return "PARSER P : TvxWayParser\n"
         "TOKENS \"t.h\" t::TKind\n"
         "START\n"
         "  Run : int = " +
         Start +
         " .\n"
         "PRODUCTIONS\n" +
         Productions + "\nEND\n";
}

TGrammar ReadAll(const std::string& Text) {
  TGrammar G = ReadGrammar("g.atg", Text);
  ReadTokensHeader(G, "t.h", Tokens);
  return G;
}

// The generator's complaint about a grammar, or "" when it takes it.
std::string Complaint(const std::string& Text) {
  try {
    TGrammar G = ReadAll(Text);
    AnalyseGrammar(G);
    return "";
  } catch (const EGrammarError& Error) {
    return Error.what();
  }
}

TEST(GrammarCheck, RejectsWithFileLineAndReason) {
  struct TCase {
    std::string Text;
    const char* Expected;
  };
  const TCase Cases[] = {
      // Productions start on line 6 of the generated text.
      {Grammar("s = tA x ."), "g.atg:6: error: undefined symbol 'x'"},
      {Grammar("s = tA .\norphan = tB ."),
       "g.atg:7: error: production 'orphan' is unreachable from the start operations"},
      {Grammar("s = e .\ne = [ tA ] e tB | tC ."), "g.atg:7: error: left recursion: e -> e"},
      {Grammar("s = { [ tA ] } tB ."),
       "g.atg:6: error: the body of a repetition can match nothing (it would never end)"},
      {Grammar("s = [ (. x(); .) ] tB ."), "g.atg:6: error: the body of an option can match nothing"},
      {Grammar("s = IF(ok) tA ."), "g.atg:6: error: IF must open an alternative, an option or a repetition"},
      {Grammar("s = tA .\ns = tB ."), "g.atg:7: error: production 's' defined twice"},
      {Grammar("s = tA", "s"), "g.atg:7: error: '.' expected"},
      {Grammar("s = ( tA | tB ."), "g.atg:6: error: '(' not closed"},
      {Grammar("s = tA<x> ."), "g.atg:6: error: token 'tA' cannot take attributes"},
      {Grammar("s = tA .", "nothing"), "g.atg:4: error: undefined production 'nothing'"},
      {Grammar("s LEVELS 0 = tA ."), "g.atg:6: error: a number of levels from 1 to 99 expected"},
      {Grammar("s<int& R> LEVELS two = tA ."), "g.atg:6: error: a number of levels from 1 to 99 expected"},
      {"PARSER P : B\nTOKENS \"t.h\" t::TKind\nSETS\n  w = tB .. tA .\nSTART\n  Run : int = s .\nPRODUCTIONS\ns = w "
       ".\nEND\n",
       "g.atg:4: error: range tB .. tA runs backwards"},
  };
  for (const TCase& Case : Cases) EXPECT_EQ(Complaint(Case.Text), Case.Expected) << Case.Text;
}

TEST(GrammarCheck, MissingEnumIsReported) {
  TGrammar G = ReadGrammar(
      "g.atg", "PARSER P : B\nTOKENS \"t.h\" t::TOther\nSTART\n Run : int = s .\nPRODUCTIONS\ns = tA .\nEND\n");
  try {
    ReadTokensHeader(G, "t.h", Tokens);
    FAIL();
  } catch (const EGrammarError& Error) {
    EXPECT_STREQ(Error.what(), "t.h:1: error: enum TOther not found");
  }
}

TEST(GrammarCheck, ReadsCodeAttributesAndGuards) {
  TGrammar G = ReadAll(
      "PARSER P : Base\nTOKENS \"t.h\" t::TKind\nMEMBERS (. int F = 1; .)\nSTART OVERRIDE\n"
      "  Run : std::map<int, std::string> = s .\nPRODUCTIONS\n"
      "s<std::map<int, std::string>& R> (. int N = 0; .) = ( IF(F > 0 && P->Q()) tA (. R[N] = \"a\"; .) | n<. N > 1 .> "
      ") .\n"
      "n<bool B> = tB .\nEND\n");
  EXPECT_TRUE(G.StartsOverride);
  EXPECT_EQ(G.Starts.at(0).ResultType, "std::map<int, std::string>");
  EXPECT_EQ(G.TokensQualifier, "t::");
  const TProduction& S = G.Productions.at(0);
  EXPECT_EQ(S.Params, "std::map<int, std::string>& R");
  EXPECT_EQ(S.Locals, " int N = 0; ");
  const TNode& Choice = *S.Body->Children.at(0);
  ASSERT_EQ(Choice.Kind, TNodeKind::nkChoice);
  EXPECT_EQ(Choice.Children.at(0)->Guard, "F > 0 && P->Q()");
  EXPECT_EQ(Choice.Children.at(1)->Children.at(0)->Code, "N > 1");
  EXPECT_EQ(Complaint(Grammar("s = tA .")), "");
}

// Where one token leaves two alternatives, the fast tables let the second token decide; the
// exact tables keep both, as the error rule's one-token look-ahead does.
TEST(GrammarCheck, TwoTokensDecideWhereOneCannot) {
  TGrammar G = ReadAll(Grammar("s = [ tA tDot ] tA [ tComma tB ] ."));
  const TAnalysis A = AnalyseGrammar(G);
  ASSERT_EQ(A.Decisions.size(), 2u);
  const auto ByNext = [](const TDecisionTables& T, int First) -> const std::vector<uint16_t>& {
    EXPECT_NE(T.Fast[static_cast<size_t>(First)] & TDecisionTables::FastRowFlag, 0);
    return T.Rows.at(T.Fast[static_cast<size_t>(First)] & ~TDecisionTables::FastRowFlag);
  };
  const TDecisionTables& Qualifier = A.Decisions[0];
  EXPECT_EQ(Qualifier.Exact[1], 3u);  // at tA: skip and take
  const std::vector<uint16_t>& AfterA = ByNext(Qualifier, 1);
  EXPECT_EQ(AfterA[4], 2u);  // tA tDot: take only
  EXPECT_EQ(AfterA[0], 1u);  // tA at the end: skip only
  EXPECT_EQ(AfterA[5], 1u);  // tA tComma: skip only
  EXPECT_EQ(AfterA[2], 0u);  // tA tB: nothing can go on
  // The option at the end: the exact tables may always skip; the fast ones skip only at the
  // end and take only before "tComma tB", pruning what would die at the next token.
  const TDecisionTables& Tail = A.Decisions[1];
  EXPECT_EQ(Tail.Exact[0], 1u);
  EXPECT_EQ(Tail.Exact[5], 3u);
  EXPECT_EQ(Tail.Fast[0], 1u);
  EXPECT_EQ(ByNext(Tail, 5)[2], 2u);
  EXPECT_EQ(ByNext(Tail, 5)[1], 0u);
}

// Two alternatives that both open a bracket are told apart by what may follow its closing one.
TEST(GrammarCheck, KindsAfterTheClosingBracket) {
  const std::string Text =
      "PARSER P : B\nTOKENS \"t.h\" t::TKind\nBRACKETS tA tB\nSTART\n Run : int = s .\nPRODUCTIONS\n"
      "s = ( tA s tB tC | e tDot | tComma ) .\n"
      "e = tA e tB | tComma .\nEND\n";
  TGrammar G = ReadAll(Text);
  const TAnalysis A = AnalyseGrammar(G);
  const TDecisionTables& S = A.Decisions.at(0);
  ASSERT_EQ(S.AfterBracket.size(), 3u);
  EXPECT_EQ(S.AfterBracket[0], (std::vector<uint8_t>{0, 0, 0, 1, 0, 0, 0}));  // tC
  EXPECT_EQ(S.AfterBracket[1], (std::vector<uint8_t>{0, 0, 0, 0, 1, 0, 0}));  // tDot, after e
  EXPECT_TRUE(S.AfterBracket[2].empty());                                     // no bracket
  EXPECT_EQ(Complaint("PARSER P : B\nTOKENS \"t.h\" t::TKind\nBRACKETS tA tB\nSTART\n Run : int = s .\n"
                      "PRODUCTIONS\ns = tA ( tC tB | tDot tB ) .\nEND\n"),
            "g.atg:7: error: an opening bracket without its closing one");
}

// The compact tables (by classes of kinds) answer exactly as the full tables, for every pair
// of kinds, on the real SQL-92 grammar.
TEST(GrammarCheck, CompactTablesAnswerAsTheFullOnes) {
  const std::string Dir =
      std::string(std::getenv("VX_TEST_DATA") ? std::getenv("VX_TEST_DATA") : "tests/data") + "/../../src/sql92/";
  const auto Read = [](const std::string& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::ostringstream Text;
    Text << In.rdbuf();
    return Text.str();
  };
  TGrammar G = ReadGrammar("SQL92.atg", Read(Dir + "SQL92.atg"));
  ReadTokensHeader(G, "SQL92Tokens.h", Read(Dir + "SQL92Tokens.h"));
  const TAnalysis A = AnalyseGrammar(G);
  const TCompactTables& C = A.Compact;
  const int K = G.KindCount();
  EXPECT_LT(C.FirstClassCount, K / 2);
  EXPECT_LT(C.SecondClassCount, K / 2);
  for (size_t D = 0; D < A.Decisions.size(); ++D) {
    const TDecisionTables& T = A.Decisions[D];
    for (int T1 = 0; T1 < K; ++T1)
      for (int T2 = 0; T2 < K; ++T2) {
        uint16_t Full = T.Fast[static_cast<size_t>(T1)];
        if (Full & TDecisionTables::FastRowFlag)
          Full = T.Rows[Full & ~TDecisionTables::FastRowFlag][static_cast<size_t>(T2)];
        uint16_t Compact = C.Fast[D][C.FirstClass[static_cast<size_t>(T1)]];
        if (Compact & TDecisionTables::FastRowFlag)
          Compact = C.Rows[Compact & ~TDecisionTables::FastRowFlag][C.SecondClass[static_cast<size_t>(T2)]];
        ASSERT_EQ(Compact, Full) << "decision at line " << T.Node->Line << ", kinds " << T1 << " " << T2;
      }
  }
}

TEST(GrammarCheck, FirstAndFollowSetsOfTwoTokens) {
  TGrammar G = ReadAll(Grammar("s = l tC .\nl = tA { tComma tA } ."));
  const TAnalysis A = AnalyseGrammar(G);
  const TLookAhead2& FirstL = A.First.at(1);
  EXPECT_TRUE(FirstL.Has(1, 5));             // a ,
  EXPECT_TRUE(FirstL.Has(1, FirstL.End()));  // a alone
  EXPECT_FALSE(FirstL.Has(1, 3));            // c is no part of l
  EXPECT_FALSE(FirstL.HasEmpty());
  const TLookAhead2& FollowL = A.Follow.at(1);
  EXPECT_TRUE(FollowL.Has(3, 0));   // c, then the end
  EXPECT_FALSE(FollowL.Has(5, 1));  // a comma never follows the whole list
  EXPECT_EQ(A.Accepted, (std::vector<uint8_t>{1, 1, 0, 1, 0, 1, 0}));
}

TEST(GrammarCheck, GeneratedFilesCarryTheBanner) {
  TGrammar G = ReadAll(Grammar("s<int& R> = tA (. R = 1; .) ."));
  const TAnalysis A = AnalyseGrammar(G);
  TWriterOptions Options{"/src/g.atg", "P.h", "/out/P.cpp", "vxparsergen g.atg OUT"};
  const TGeneratedParser Parser = WriteParser(G, A, Options);
  EXPECT_EQ(Parser.Header.rfind("// Generated by vxparsergen from g.atg.", 0), 0u);
  EXPECT_NE(Parser.Header.find("// Regenerate: vxparsergen g.atg OUT"), std::string::npos);
  EXPECT_NE(Parser.Source.find("#line 6 \"/src/g.atg\"\n   R = 1; \n"), std::string::npos);
  // After an action the source names its own lines again: the #line directive gives the
  // number of the line that follows it.
  const size_t Back = Parser.Source.find("#line ", Parser.Source.find("R = 1;"));
  const int Named = std::stoi(Parser.Source.substr(Back + 6));
  const int Actual =
      2 + static_cast<int>(std::count(Parser.Source.begin(), Parser.Source.begin() + static_cast<long>(Back), '\n'));
  EXPECT_EQ(Named, Actual);
}

}  // namespace
