// Shared by the parser tests: running an entry point by name, writing a tree, a compact dump of
// a tree's classes, and the reader of the case files in tests/data/parser.
#pragma once

#include "vxASTBase.h"
#include "vxSQL92SyntaxProvider.h"

#include <memory>
#include <string>
#include <vector>

namespace vxtest {

// The entry points by the names the case files use: select, object, expr, item, logical and
// criterion (a logical expression whose predicates may lack their left operand).
std::unique_ptr<TastNode> ParseAs(TastSQL92SyntaxProvider& Provider, const std::string& Kind, const std::string& Text);
bool IsEntryPoint(const std::string& Kind);

// The node's text, on one line or laid out on several (CR LF line breaks).
std::string Write(const TastNode& Node, bool MultiLine = false);

// The classes of a tree without their TSQL prefix, children in brackets in GetMyChildren order:
// "ExpressionOperatorBinary[ExpressionColumn[ObjectColumn],Operator,ExpressionConstant]".
std::string Dump(const TastNode& Node);

// One case of a file in tests/data/parser:
//
//   <entry point> <text>       the text to parse (\n, \r, \t, \s (a blank) and \\ are escapes)
//     tree <dump>              expected Dump of the result
//     text <text>              expected one-line text
//     error <message> at <line>:<col> "<token>"
//
// Lines starting with # and blank lines are ignored.
struct TParserCase {
  std::string Location;  // "file:line", for failure messages
  std::string Kind;
  std::string Text;
  std::string Tree;
  std::string Written;
  std::string Error;
  bool HasTree = false, HasWritten = false, HasError = false;
};

// Reads tests/data/parser/<Name>; throws std::runtime_error for a malformed file.
std::vector<TParserCase> LoadParserCases(const std::string& Name);

// "Bad SELECT statement at 1:25 \"=\"", the form the case files use for an error.
std::string DescribeError(const std::string& Message, int Line, int Col, const std::string& Token);

}  // namespace vxtest
