// The SQL corpus and the torture file: every statement parses, and its written text is a fixed
// point (parse, write, parse again, write the same), on one line and laid out on several.
// Failures name the statement's file and line.
#include "ParserTestSupport.h"
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
