// The parse entry points of the syntax provider: the dialect's scanner tokenises the text, the
// dialect's parser finds a path through it (the way calculation) and builds the tree of that
// path (the replay). Everything but the tree is freed on return, also when the text does not
// parse.
#include "vxASTLogical.h"
#include "vxASTSelect.h"
#include "vxParserBase.h"
#include "vxScannerBase.h"
#include "vxSyntaxProvider.h"

#include <optional>

namespace {

template <class TResult>
using TReplay = std::unique_ptr<TResult> (TvxBaseParser::*)();
using TWayCalc = void (TvxBaseParser::*)(TvxWays&);

template <class TResult>
std::unique_ptr<TResult> Parse(TastSyntaxProvider& Provider, const std::string& Text, const char* Message,
                               TWayCalc WayCalc, TReplay<TResult> Replay,
                               std::optional<bool> RequireLeftOperand = std::nullopt) {
  const std::unique_ptr<TvxBaseScanner> Scanner = Provider.GetScannerClass().Create();
  Scanner->Init(Text);
  const std::unique_ptr<TvxBaseParser> Parser = Provider.GetParserClass().Create(Scanner.get(), &Provider);
  if (RequireLeftOperand) Parser->SetRequireLeftOperand(*RequireLeftOperand);
  TvxBaseParser& P = *Parser;
  // Most statements never leave the fast look-ahead more than one alternative: then the replay
  // alone builds the tree. Otherwise the two passes run.
  std::unique_ptr<TResult> Tree;
  if (P.ReplayDirectly([&] { Tree = (P.*Replay)(); })) return Tree;
  Tree.reset();
  if (!P.CalculateWay([&](TvxWays& Ways) { (P.*WayCalc)(Ways); })) {
    const TvxToken Error = P.GetErrorToken();
    throw EvxSQLError(Message, &Error);
  }
  return (P.*Replay)();
}

}  // namespace

std::unique_ptr<TSQLSelectStatement> TastSyntaxProvider::ParseSelect(const std::string& Text) {
  return Parse(*this, Text, "Bad SELECT statement", &TvxBaseParser::ParseSelectWayCalc, &TvxBaseParser::ParseSelect);
}

std::unique_ptr<TSQLDatabaseObject> TastSyntaxProvider::ParseObjectName(const std::string& Text) {
  return Parse(*this, Text, "Bad object name", &TvxBaseParser::ParseObjectNameWayCalc, &TvxBaseParser::ParseObjectName);
}

std::unique_ptr<TSQLExpressionItem> TastSyntaxProvider::ParseExpression(const std::string& Text, TvxStringList*) {
  return Parse(*this, Text, "Bad expression", &TvxBaseParser::ParseExpressionWayCalc, &TvxBaseParser::ParseExpression);
}

std::unique_ptr<TSQLSelectItem> TastSyntaxProvider::ParseSelectItem(const std::string& Text) {
  return Parse(*this, Text, "Bad select item", &TvxBaseParser::ParseSelectItemWayCalc, &TvxBaseParser::ParseSelectItem);
}

std::unique_ptr<TSQLExpressionItem> TastSyntaxProvider::ParseLogicalExpression(const std::string& Text,
                                                                               bool RequireLeftOperand) {
  return Parse(*this, Text, "Bad logical expression", &TvxBaseParser::ParseLogicalExpressionWayCalc,
               &TvxBaseParser::ParseLogicalExpression, RequireLeftOperand);
}
