// Comparing and normalising conditions for the criteria grid: a WHERE or HAVING condition is
// simplified (double negations removed, NOT pushed into AND/OR groups, nested groups of the
// same kind merged) before the model spreads it over criteria columns.
#pragma once

#include "vxASTLogical.h"

#include <memory>

// True when both are null, or both write the same one-line text. Case is ignored except inside
// string literals and delimited names, where it is part of the meaning.
bool IsExpressionsEqual(const TSQLExpressionItem* A, const TSQLExpressionItem* B);

// Takes ownership of Condition and returns the simplified condition: Condition itself, a new
// node, or null when nothing is left (an AND or OR whose items all vanished). Brackets are kept;
// a bracketed group is not merged into its parent, and AND is never distributed over OR.
std::unique_ptr<TSQLExpressionItem> SimplifyLogicalExpression(std::unique_ptr<TSQLExpressionItem> Condition);

// The form in which the model loads a WHERE or HAVING condition (see SimplifyLogicalExpression).
std::unique_ptr<TSQLExpressionItem> PrepareLogicalExpressionForLoading(std::unique_ptr<TSQLExpressionItem> Condition);
