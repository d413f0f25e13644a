// Shared by the parser tests: a compact dump of a tree's classes and the form in which the case
// files state an error. Parsing by entry point, writing and the case files' reader (with their
// format) come from tests/common: vxTestSql.h and vxParserCases.h.
#pragma once

#include "vxASTBase.h"
#include "vxParserCases.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxTestSql.h"

#include <string>

namespace vxtest {

// The classes of a tree without their TSQL prefix, children in brackets in GetMyChildren order:
// "ExpressionOperatorBinary[ExpressionColumn[ObjectColumn],Operator,ExpressionConstant]".
std::string Dump(const TastNode& Node);

// "Bad SELECT statement at 1:25 \"=\"", the form the case files use for an error.
std::string DescribeError(const std::string& Message, int Line, int Col, const std::string& Token);

}  // namespace vxtest
