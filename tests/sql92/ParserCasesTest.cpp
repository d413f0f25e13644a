// The case files of tests/data/parser: every construct of the grammar with the tree it builds
// and the text it writes, and texts that do not parse with the position of their error. Every
// text that parses must also be a fixed point: writing it, parsing that and writing again gives
// the same text, on one line and laid out on several.
#include "ParserTestSupport.h"
#include "vxParserBase.h"

#include <gtest/gtest.h>

namespace {

using namespace vxtest;

void CheckFixedPoint(TastSQL92SyntaxProvider& Provider, const TParserCase& Case, const TastNode& Tree) {
  for (bool MultiLine : {false, true}) {
    const std::string First = Write(Tree, MultiLine);
    std::unique_ptr<TastNode> Again;
    try {
      Again = ParseAs(Provider, Case.Kind, First);
    } catch (const EvxSQLError& Error) {
      ADD_FAILURE() << Case.Location << ": the written text does not parse (" << Error.GetMessage() << " at "
                    << Error.TokenLine << ":" << Error.TokenCol << "): " << First;
      continue;
    }
    EXPECT_EQ(Write(*Again, MultiLine), First) << Case.Location << (MultiLine ? " (multi-line)" : "");
    EXPECT_EQ(Dump(*Again), Dump(Tree)) << Case.Location;
  }
}

void RunCases(const std::string& File) {
  TastSQL92SyntaxProvider Provider;
  const std::vector<TParserCase> Cases = LoadParserCases(File);
  for (const TParserCase& Case : Cases) {
    std::unique_ptr<TastNode> Tree;
    try {
      Tree = ParseAs(Provider, Case.Kind, Case.Text);
    } catch (const EvxSQLError& Error) {
      const std::string Got = DescribeError(Error.GetMessage(), Error.TokenLine, Error.TokenCol, Error.TokenText);
      if (Case.HasError)
        EXPECT_EQ(Got, Case.Error) << Case.Location;
      else
        ADD_FAILURE() << Case.Location << ": " << Got;
      continue;
    }
    if (Case.HasError) {
      ADD_FAILURE() << Case.Location << ": parses, expected " << Case.Error << "; written " << Write(*Tree);
      continue;
    }
    if (Case.HasTree) {
      EXPECT_EQ(Dump(*Tree), Case.Tree) << Case.Location;
    }
    if (Case.HasWritten) {
      EXPECT_EQ(Write(*Tree), Case.Written) << Case.Location;
    }
    CheckFixedPoint(Provider, Case, *Tree);
  }
}

TEST(ParserCases, StatementsAndSources) { RunCases("statements.txt"); }
TEST(ParserCases, ExpressionsFunctionsAndTypes) { RunCases("expressions.txt"); }
TEST(ParserCases, Errors) { RunCases("errors.txt"); }

}  // namespace
