// Nesting is bounded by the parser: the deepest statement of each nested shape that the parser
// reads loads into the model, which writes it and takes it back (the model's walks are
// recursive too, so this is where a stack would overflow). Width is not bounded at all; the
// benchmarks measure it.
#include "vxParserBase.h"
#include "vxQBEventMetaProvider.h"
#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"
#include "vxSQL92SynProvider.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxTestSql.h"

#include <gtest/gtest.h>

#include <functional>

namespace vxtest {
namespace {

std::string Repeat(const std::string& Text, int Count) {
  std::string Result;
  for (int I = 0; I < Count; ++I) Result += Text;
  return Result;
}

struct TShape {
  const char* Name;
  std::function<std::string(int)> Make;
};

const TShape GShapes[] = {
    {"sub-queries",
     [](int N) { return Repeat("SELECT a FROM t WHERE a IN (", N) + "SELECT a FROM t" + Repeat(")", N); }},
    {"derived tables", [](int N) { return Repeat("SELECT a FROM (", N) + "SELECT a FROM t" + Repeat(") d", N); }},
    {"conditions", [](int N) { return "SELECT a FROM t WHERE " + Repeat("(a = 1 OR ", N) + "a = 2" + Repeat(")", N); }},
    {"sources", [](int N) { return "SELECT a FROM " + Repeat("(", N) + "t" + Repeat(")", N); }},
    {"unions", [](int N) { return Repeat("(SELECT a FROM t UNION ", N) + "SELECT a FROM t" + Repeat(")", N); }},
};

TEST(ModelNesting, TheDeepestStatementsTheParserReadsLoadAndWrite) {
  TvxSQL92SyntaxProvider Syntax;
  TvxEventMetadataProvider Metadata;
  Metadata.OnGetSQLFieldNames = [](TvxBaseMetadataProvider*, const std::string&, TvxStringList& Fields) {
    Fields.Add("a");
  };
  TvxQueryBuilder QueryBuilder;
  QueryBuilder.SetSyntaxProvider(&Syntax);
  QueryBuilder.SetMetadataProvider(&Metadata);
  TastSQL92SyntaxProvider Parser;
  for (const TShape& Shape : GShapes) {
    SCOPED_TRACE(Shape.Name);
    const int Low = DeepestParse(Parser, Shape.Make, 4 * TvxWayParser::DefaultMaxDepth);
    QueryBuilder.SetSQL(Shape.Make(Low));
    QueryBuilder.ProcessPendingSQL();
    const std::string Written = QueryBuilder.GetSQL();
    EXPECT_FALSE(Written.empty());
    // Taken back, the model's text is the same; a text the parser finds too deep (the writer
    // may bracket more than the source did) is refused with the parser's error, not a crash.
    QueryBuilder.SetSQL("");
    QueryBuilder.ProcessPendingSQL();
    try {
      QueryBuilder.SetSQL(Written);
      QueryBuilder.ProcessPendingSQL();
      EXPECT_EQ(QueryBuilder.GetSQL(), Written);
    } catch (const EvxSQLError& Error) {
      EXPECT_EQ(Error.GetMessage(), "Statement nested too deeply");
    }
    QueryBuilder.SetSQL("");
    QueryBuilder.ProcessPendingSQL();
  }
}

}  // namespace
}  // namespace vxtest
