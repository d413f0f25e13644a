// The parse entry points of the syntax provider. They run the dialect's scanner and parser;
// until the parser framework is in place each raises its own message.
#include "vxSyntaxProvider.h"

namespace {
[[noreturn]] void Fail(const char* Message) { throw EvxException(Message); }
}  // namespace

std::unique_ptr<TSQLSelectStatement> TastSyntaxProvider::ParseSelect(const std::string&) {
  Fail("Bad SELECT statement");
}
std::unique_ptr<TSQLDatabaseObject> TastSyntaxProvider::ParseObjectName(const std::string&) {
  Fail("Bad object name");
}
std::unique_ptr<TSQLExpressionItem> TastSyntaxProvider::ParseExpression(const std::string&, TvxStringList*) {
  Fail("Bad expression");
}
std::unique_ptr<TSQLSelectItem> TastSyntaxProvider::ParseSelectItem(const std::string&) { Fail("Bad select item"); }
std::unique_ptr<TSQLExpressionItem> TastSyntaxProvider::ParseLogicalExpression(const std::string&, bool) {
  Fail("Bad logical expression");
}
