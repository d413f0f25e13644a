// The operand's select list: which clauses of the SELECT it takes over and builds back.
#include "vxQuerySelectList.h"
#include "vxQueryUnionSubQuery.h"

void TvxUnionSubQuery::LoadSelectListClauses(TSQLSubQuerySelectExpression& Node) {
  FSelectList->LoadSelectListFromAST(Node.ExtractSelectItems());
  if (std::unique_ptr<TSQLExpressionItem> Where = Node.ExtractWhere())
    FSelectList->LoadConditionFromAST(std::move(Where), gtWhere);
  FSelectList->LoadGroupByListFromAST(Node.ExtractGroupBy());
  if (std::unique_ptr<TSQLExpressionItem> Having = Node.ExtractHaving())
    FSelectList->LoadConditionFromAST(std::move(Having), gtHaving);
}

void TvxUnionSubQuery::SetSelectListClauses(TSQLSubQuerySelectExpression& Tree) const {
  Tree.SetSelectItems(FSelectList->GetASTSelectItems());
  Tree.SetWhere(FSelectList->GetConditionTree({gtWhere}));
  Tree.SetGroupBy(FSelectList->GetGroupByTree());
  Tree.SetHaving(FSelectList->GetConditionTree({gtGroupBy, gtHaving, gtAggregateStar, gtAggregate}));
}

void TvxUnionSubQuery::LoadOrderByFromAST(std::unique_ptr<TSQLOrderByClause> OrderBy, TvxSortKeyForm Form) {
  FSelectList->LoadOrderByListFromAST(std::move(OrderBy), Form);
}

std::unique_ptr<TSQLOrderByClause> TvxUnionSubQuery::GetOrderByClause(TvxSortKeyForm Form) const {
  return FSelectList->GetOrderByClause(Form);
}
