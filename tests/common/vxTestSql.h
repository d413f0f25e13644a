// Parsing a text with an entry point named as the parser case files name it, and writing a tree
// back to text: shared by the parser, tree and model tests and by the parse fuzzer's checks.
#pragma once

#include "vxASTBase.h"
#include "vxSQLBuilder.h"

#include <functional>
#include <memory>
#include <string>

class TastSQL92SyntaxProvider;

namespace vxtest {

// Kind is one of the names IsEntryPoint accepts (vxParserCases.h); std::runtime_error for any
// other. Parse errors propagate as the parser raises them.
std::unique_ptr<TastNode> ParseAs(TastSQL92SyntaxProvider& Provider, const std::string& Kind, const std::string& Text);

// The text Node writes through a fresh writer of class TBuilder (plain text or HTML), on one
// line or laid out on several (CR LF line breaks).
template <class TBuilder>
std::string WriteAs(const TastNode& Node, bool MultiLine = false) {
  std::string Text;
  TBuilder Builder(Text);
  Builder.ResetBuilder();
  Node.BuildSQL(Builder, MultiLine);
  return Text;
}

inline std::string Write(const TastNode& Node, bool MultiLine = false) {
  return WriteAs<TSQLBuilderPlainText>(Node, MultiLine);
}

// The greatest N below Limit for which Make(N) parses as a SELECT: where the parser's nesting
// limit stops a shape. Make(1) must parse and Make(Limit) must not; a parse error other than
// "Statement nested too deeply" propagates.
int DeepestParse(TastSQL92SyntaxProvider& Provider, const std::function<std::string(int)>& Make, int Limit);

}  // namespace vxtest
