#include "vxTestSql.h"

#include "vxASTLogical.h"
#include "vxASTSelect.h"
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

}  // namespace vxtest
