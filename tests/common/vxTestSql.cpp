#include "vxTestSql.h"

#include "vxASTLogical.h"
#include "vxASTSelect.h"
#include "vxParserBase.h"
#include "vxSQL92SyntaxProvider.h"

#include <stdexcept>

namespace vxtest {

std::unique_ptr<TastNode> ParseAs(TastSQL92SyntaxProvider& Provider, const std::string& Kind, const std::string& Text) {
  if (Kind == "select") return Provider.ParseSelect(Text);
  if (Kind == "object") return Provider.ParseObjectName(Text);
  if (Kind == "expr") return Provider.ParseExpression(Text);
  if (Kind == "item") return Provider.ParseSelectItem(Text);
  if (Kind == "logical") return Provider.ParseLogicalExpression(Text, true);
  if (Kind == "criterion") return Provider.ParseLogicalExpression(Text, false);
  throw std::runtime_error("unknown entry point " + Kind);
}

int DeepestParse(TastSQL92SyntaxProvider& Provider, const std::function<std::string(int)>& Make, int Limit) {
  const auto Parses = [&](int N) {
    try {
      Provider.ParseSelect(Make(N));
      return true;
    } catch (const EvxSQLError& Error) {
      if (Error.GetMessage() != "Statement nested too deeply") throw;
      return false;
    }
  };
  int Low = 1, High = Limit;
  while (High - Low > 1) {
    const int Middle = (Low + High) / 2;
    (Parses(Middle) ? Low : High) = Middle;
  }
  return Low;
}

}  // namespace vxtest
