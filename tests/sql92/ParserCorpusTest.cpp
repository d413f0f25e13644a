// The SQL corpus and the torture file: every statement parses, and its written text is a fixed
// point (parse, write, parse again, write the same), on one line and laid out on several.
// Failures name the statement's file and line.
#include "ParserTestSupport.h"
#include "SQL92Parser.h"
#include "SQL92Scanner.h"
#include "vxASTSelect.h"
#include "vxParserBase.h"
#include "vxSqlCorpus.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace vxtest;

void RoundTrip(const std::vector<TvxCorpusEntry>& Entries) {
  ASSERT_FALSE(Entries.empty());
  TastSQL92SyntaxProvider Provider;
  for (const TvxCorpusEntry& Entry : Entries) {
    try {
      const std::unique_ptr<TSQLSelectStatement> Tree = Provider.ParseSelect(Entry.Text);
      for (bool MultiLine : {false, true}) {
        const std::string Text = Write(*Tree, MultiLine);
        const std::unique_ptr<TSQLSelectStatement> Again = Provider.ParseSelect(Text);
        EXPECT_EQ(Write(*Again, MultiLine), Text) << Entry.GetLocation();
        EXPECT_EQ(Dump(*Again), Dump(*Tree)) << Entry.GetLocation();
      }
    } catch (const EvxSQLError& Error) {
      ADD_FAILURE() << Entry.GetLocation() << ": " << Error.GetMessage() << " at " << Error.TokenLine << ":"
                    << Error.TokenCol << " \"" << Error.TokenText << "\"";
    }
  }
}

TEST(ParserCorpus, EveryStatementIsAFixedPointOfWriting) { RoundTrip(LoadCorpus(GetTestDataDirectory() + "/corpus")); }

// The two passes on their own, remembering production outcomes from the first call or not:
// "written text" or "error at N".
std::string ParseWithPasses(TastSQL92SyntaxProvider& Provider, const std::string& Text, bool Remember) {
  SQL92Scanner Scanner;
  Scanner.Init(Text);
  SQL92Parser Parser(&Scanner, &Provider);
  if (Remember) Parser.SetMemoizeAfter(0);
  if (!Parser.CalculateWay([&](TvxWays& Ways) { Parser.ParseSelectWayCalc(Ways); }))
    return "error at " + std::to_string(Parser.GetErrorPos());
  return Write(*Parser.ParseSelect());
}

// Remembered outcomes must stand in exactly for the calls they replace, for texts that parse
// (the tree) and for texts that do not (the error position).
TEST(ParserCorpus, RememberedOutcomesChangeNothing) {
  TastSQL92SyntaxProvider Provider;
  std::vector<std::string> Texts;
  for (const TvxCorpusEntry& Entry : LoadCorpus(GetTestDataDirectory() + "/corpus")) Texts.push_back(Entry.Text);
  for (const char* Text :
       {"SELECT ((SELECT a FROM t)) + ((SELECT b FROM u)), (((1)))", "SELECT ((((SELECT a(((((SELECT a",
        "SELECT a FROM t WHERE ((a = 1) OR ((b) = (2))) AND", "SELECT * FROM ((a JOIN b ON 1 = 1)",
        "SELECT CAST(a AS TIME(3) WITH TIME ZONE), x.y.z FROM s.t WHERE a NOT LIKE 'x' ESCAPE"})
    Texts.push_back(Text);
  for (const std::string& Text : Texts)
    EXPECT_EQ(ParseWithPasses(Provider, Text, true), ParseWithPasses(Provider, Text, false)) << Text;
}

// Unclosed brackets before sub-queries let paths explore the same productions at the same
// tokens over and over; remembered outcomes keep that polynomial.
TEST(ParserCorpus, RepeatedExplorationStaysCheap) {
  TastSQL92SyntaxProvider Provider;
  std::string Text = "SELECT ";
  for (int Group = 0; Group < 3; ++Group) Text += std::string(64, '(') + "SELECT a";
  try {
    Provider.ParseSelect(Text);
    FAIL();
  } catch (const EvxSQLError& Error) {
    EXPECT_EQ(Error.TokenText, "EOF");
  }
  try {
    Provider.ParseLogicalExpression(Text.substr(7));
    FAIL();
  } catch (const EvxSQLError& Error) {
    EXPECT_EQ(Error.TokenText, "EOF");
  }
}

TEST(ParserCorpus, TortureNamesSurvive) { RoundTrip(LoadCorpusFile(GetTestDataDirectory() + "/torture.sql")); }

// Random sequences of SQL words: each either parses into a fixed point of writing, or fails
// with an error whose token is really in the text at the position it names.
TEST(ParserCorpus, RandomWordsParseOrNameTheirToken) {
  const char* const Words[] = {"SELECT",  "FROM",    "WHERE",    "a",     "b.c",  "t",     "(",      ")",    ",",
                               "=",       "<>",      "AND",      "OR",    "NOT",  "IN",    "IS",     "NULL", "LIKE",
                               "BETWEEN", "*",       ".*",       ".",     "+",    "-",     "1",      "'x'",  "UNION",
                               "ALL",     "JOIN",    "ON",       "LEFT",  "CASE", "WHEN",  "THEN",   "END",  "CAST",
                               "AS",      "INTEGER", "COUNT",    "ORDER", "BY",   "GROUP", "EXISTS", "ANY",  "#",
                               "name",    "\"q\"",   "DISTINCT", "f(",    "TIME", "WITH",  "ZONE",   "\n"};
  std::mt19937 Random(20240131);
  TastSQL92SyntaxProvider Provider;
  int Parsed = 0;
  for (int I = 0; I < 4000; ++I) {
    std::string Text = I % 2 == 0 ? "SELECT " : "SELECT a FROM t WHERE ";
    for (int J = static_cast<int>(Random() % 12); J > 0; --J)
      Text += std::string(Words[Random() % std::size(Words)]) + " ";
    try {
      const std::string Written = Write(*Provider.ParseSelect(Text));
      EXPECT_EQ(Write(*Provider.ParseSelect(Written)), Written) << Text;
      ++Parsed;
    } catch (const EvxSQLError& Error) {
      ASSERT_LE(Error.TokenOffset, Text.size()) << Text;
      if (Error.TokenText != "EOF") {
        EXPECT_EQ(Text.substr(Error.TokenOffset, Error.TokenText.size()), Error.TokenText) << Text;
      }
      EXPECT_GE(Error.TokenLine, 1) << Text;
      EXPECT_GE(Error.TokenCol, 1) << Text;
    }
  }
  EXPECT_GT(Parsed, 100);
}

}  // namespace
