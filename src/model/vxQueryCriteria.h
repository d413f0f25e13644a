// Criteria cells as they go into a WHERE or HAVING condition. A condition that is not an
// operation (EXISTS, a bare logical expression) is held in a cell as "= True" so that it has
// an expression part and a criterion part like any other; written literally that would be
// "Exists(SELECT ...)=True", which the grammar cannot read back. These helpers turn such
// comparisons back into the logical expression itself.
#pragma once

#include "vxASTLogical.h"

#include <memory>
#include <string_view>

namespace vx {

// Node itself, or what the brackets around it enclose (through every level); null for null.
const TastNode* SkipBrackets(const TastNode* Node);

// True when Expression, brackets skipped, is a condition rather than a value: a logical
// expression, or a comparison (also one with a set) or BETWEEN. The syntax tree does not class
// the latter as logical, yet the grammar reads them only where a condition goes, never in the
// select list, GROUP BY, ORDER BY or an aggregate's argument.
bool IsCondition(const TSQLExpressionItem* Expression);

// True when Expression stands for TRUE or FALSE (Value tells which): the boolean constant, or
// an unbound one-part column reference named TRUE or FALSE in any case (what the grid's
// "=TRUE" and "=FALSE" parse to).
bool IsBooleanLiteral(const TSQLExpressionItem* Expression, bool& Value);

// Takes Condition over and returns it with every "X = TRUE" whose X is a condition replaced by X
// and every "X = FALSE" by "Not X", at any depth under NOT, brackets, AND and OR.
std::unique_ptr<TSQLExpressionItem> WriteLogicalComparisons(std::unique_ptr<TSQLExpressionItem> Condition);

// True when Condition still holds an operation on a condition as left operand (after
// WriteLogicalComparisons: a comparison the grammar cannot read back, such as
// "Exists(...)>5" or "Exists(...) IS NULL").
bool HasLogicalOperand(const TSQLExpressionItem& Condition);

// The integer conversion the grid's texts go through: optional sign, then decimal digits, or
// hexadecimal digits after "$" or "0x". False for anything else (blanks included) and on
// overflow.
bool TryStrToInt(std::string_view Text, long long& Value);

}  // namespace vx
