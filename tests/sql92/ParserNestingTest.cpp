// Nesting: text nested beyond the limit stops with "Statement nested too deeply" at the token
// that went too deep, never with a stack overflow; and the deepest trees a parse can build can
// be written, copied, bound and freed, although all of those walks are recursive. Long flat
// constructs are no nesting at all and parse at any length.
#include "ParserTestSupport.h"
#include "vxASTSelect.h"
#include "vxParserBase.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace vxtest;

std::string Repeat(const std::string& Text, int Count) {
  std::string Result;
  Result.reserve(Text.size() * static_cast<size_t>(Count));
  for (int I = 0; I < Count; ++I) Result += Text;
  return Result;
}

// Deepest and TooDeepOffset pin the limit where a production per grammar level puts it, so
// that reshaping the grammar (levels merged into one production) cannot move it.
struct TShape {
  const char* Name;
  std::function<std::string(int)> Make;
  const char* TooDeepToken;  // the token the error names (in capitals): where the limit was passed
  int Deepest;               // the largest count that parses
  size_t TooDeepOffset;      // where that token stands in Make(10000)
};

const TShape Shapes[] = {
    {"brackets", [](int N) { return "SELECT " + Repeat("(", N) + "1" + Repeat(")", N); }, "(", 247, 255},
    {"conditions", [](int N) { return "SELECT a FROM t WHERE " + Repeat("(", N) + "a = 1" + Repeat(")", N); }, "(", 246,
     271},
    {"sources", [](int N) { return "SELECT a FROM " + Repeat("(", N) + "t" + Repeat(")", N); }, "(", 495, 511},
    {"sub-queries", [](int N) { return Repeat("SELECT a FROM t WHERE a IN (", N) + "SELECT 1" + Repeat(")", N); }, "A",
     109, 3087},
    {"negations", [](int N) { return "SELECT a FROM t WHERE " + Repeat("NOT ", N) + "a = 1"; }, "NOT", 986, 3998},
    {"signs", [](int N) { return "SELECT " + Repeat("- ", N) + "1"; }, "-", 988, 1989},
    {"operators", [](int N) { return "SELECT " + Repeat("1 + ", N) + "1"; }, "1", 988, 3963},
    {"cases", [](int N) { return "SELECT " + Repeat("CASE WHEN a = 1 THEN ", N) + "1" + Repeat(" END", N); }, "A", 196,
     4133},
    {"calls", [](int N) { return "SELECT " + Repeat("f(", N) + "1" + Repeat(")", N); }, "F", 197, 403},
    {"joins", [](int N) { return "SELECT * FROM a" + Repeat(" JOIN b", N) + Repeat(" ON 1 = 1", N); }, "B", 492, 3493},
    {"unions", [](int N) { return Repeat("(SELECT a FROM t UNION ", N) + "SELECT 1" + Repeat(")", N); }, "A", 493,
     11347},
    {"conditions in AND and OR",
     [](int N) { return "SELECT a FROM t WHERE " + Repeat("a = 1 OR NOT (b = 2 AND ", N) + "c = 3" + Repeat(")", N); },
     "B", 197, 4764},
    {"signed operands", [](int N) { return "SELECT " + Repeat("1 + 2 * - (", N) + "t.a" + Repeat(")", N); }, "(", 141,
     1568},
    {"products", [](int N) { return "SELECT " + Repeat("a * ", N) + "1"; }, "A", 988, 3959},
    {"qualified columns",
     [](int N) { return "SELECT a FROM t WHERE " + Repeat("(", N) + "s.t.a" + Repeat(")", N) + " = 1"; }, "(", 246,
     270},
};

bool Parses(TastSQL92SyntaxProvider& Provider, const std::string& Text) {
  try {
    Provider.ParseSelect(Text);
    return true;
  } catch (const EvxSQLError& Error) {
    if (Error.GetMessage() != "Statement nested too deeply") throw;
    return false;
  }
}

TEST(ParserNesting, TooDeepStopsAtTheTokenThatWentTooDeep) {
  TastSQL92SyntaxProvider Provider;
  for (const TShape& Shape : Shapes) {
    const std::string Text = Shape.Make(10000);
    try {
      Provider.ParseSelect(Text);
      ADD_FAILURE() << Shape.Name << ": parses";
    } catch (const EvxSQLError& Error) {
      EXPECT_EQ(Error.GetMessage(), "Statement nested too deeply") << Shape.Name;
      EXPECT_EQ(vx::UpperCase(Error.TokenText), Shape.TooDeepToken) << Shape.Name;
      EXPECT_EQ(Text.substr(Error.TokenOffset, Error.TokenText.size()), Error.TokenText) << Shape.Name;
      EXPECT_EQ(Error.TokenOffset, Shape.TooDeepOffset) << Shape.Name;
    }
  }
}

// For each shape, the deepest text that parses: its tree goes through every recursive walk.
TEST(ParserNesting, DeepestTreesSurviveEveryWalk) {
  TastSQL92SyntaxProvider Provider;
  for (const TShape& Shape : Shapes) {
    SCOPED_TRACE(Shape.Name);
    const int High = 4 * TvxWayParser::DefaultMaxDepth;
    ASSERT_TRUE(Parses(Provider, Shape.Make(1))) << Shape.Name;
    ASSERT_FALSE(Parses(Provider, Shape.Make(High))) << Shape.Name;
    const int Low = DeepestParse(Provider, Shape.Make, High);
    EXPECT_EQ(Low, Shape.Deepest) << Shape.Name;
    std::unique_ptr<TSQLSelectStatement> Tree = Provider.ParseSelect(Shape.Make(Low));
    // (The written text is not parsed again: the writer brackets nested joins, which nests
    // the text deeper than the limit allows.)
    const std::string Text = Write(*Tree);
    EXPECT_FALSE(Write(*Tree, true).empty());
    std::unique_ptr<TSQLSelectStatement> Copy = CloneNode(*Tree);
    EXPECT_EQ(Write(*Copy), Text) << Shape.Name;
    TSQLFromSourceList Sources;
    Copy->FixupObjects(Sources);
    Copy->SimplifyTree();
    EXPECT_EQ(Dump(*Copy).size(), Dump(*Tree).size()) << Shape.Name;
  }
}

TEST(ParserNesting, FlatConstructsHaveNoLimit) {
  TastSQL92SyntaxProvider Provider;
  const int N = 5000;
  const std::string Texts[] = {
      "SELECT a0" + Repeat(", a", N) + " FROM t",
      "SELECT a FROM t WHERE a IN (0" + Repeat(", 1", N) + ")",
      "SELECT a FROM t WHERE a = 0" + Repeat(" AND b = 1 OR c = 2", N),
      "SELECT * FROM t0" + Repeat(" JOIN t ON t.a = u.b", N),
      "SELECT a FROM t" + Repeat(" UNION ALL SELECT b FROM u", N),
      "SELECT a FROM t ORDER BY a" + Repeat(", b DESC", N),
      "SELECT CASE a" + Repeat(" WHEN 1 THEN 2", N) + " END FROM t",
  };
  for (const std::string& Text : Texts) {
    std::unique_ptr<TSQLSelectStatement> Tree = Provider.ParseSelect(Text);
    EXPECT_EQ(Write(*Provider.ParseSelect(Write(*Tree))), Write(*Tree)) << Text.substr(0, 40);
  }
}

}  // namespace
