// The criteria cells of a select-list row, and what a row does when a datasource goes.
#include "vxASTCriteria.h"
#include "vxBaseMetadataProvider.h"
#include "vxBaseSyntaxProvider.h"
#include "vxParserBase.h"
#include "vxQBStrings.h"
#include "vxQueryBuilder.h"
#include "vxQueryCriteria.h"
#include "vxQueryDatasource.h"
#include "vxQuerySelectItem.h"
#include "vxQuerySelectList.h"

TSQLExpressionItem* TvxSelectItem::GetConditionNode(int Column) const {
  if (Column < 0 || Column >= GetConditionsCount()) return nullptr;
  return FCriteria[static_cast<size_t>(Column)].get();
}

std::string TvxSelectItem::GetCondition(int Column) const {
  const TSQLExpressionItem* Condition = GetConditionNode(Column);
  return Condition != nullptr ? Condition->GetSimpleSQL() : std::string();
}

void TvxSelectItem::SetCell(int Column, std::unique_ptr<TSQLExpressionItem> Condition) {
  if (Column >= GetConditionsCount()) FCriteria.resize(static_cast<size_t>(Column) + 1);
  FCriteria[static_cast<size_t>(Column)] = std::move(Condition);
}

bool TvxSelectItem::IsConditionAllowed(const TSQLExpressionItem& Condition) const {
  std::unique_ptr<TSQLExpressionItem> Written = Condition.Clone();
  if (const TSQLExpressionItem* Expression = ExpressionOnly()) Written->RestoreLExpression(Expression);
  Written = vx::WriteLogicalComparisons(std::move(Written));
  return Written != nullptr && !vx::HasLogicalOperand(*Written);
}

void TvxSelectItem::SetCondition(int Column, const std::string& Text) {
  if (IsFilling() || Column < 0) return;
  const std::string Trimmed(vx::Trim(Text));
  if (Trimmed.empty()) {
    if (Column < GetConditionsCount()) FCriteria[static_cast<size_t>(Column)].reset();
  } else {
    std::unique_ptr<TSQLExpressionItem> Condition;
    long long Number = 0;
    if (vx::TryStrToInt(Trimmed, Number)) {
      TastSyntaxProvider* Dialect = GetDialect();
      Condition = NewNode<TSQLExpressionOperatorBinary>(
          Dialect, nullptr, "=", NewNode<TSQLExpressionConstant>(Dialect, TvxVariant(static_cast<int64_t>(Number))));
    } else if (TvxBaseSyntaxProvider* SyntaxProvider = GetSyntaxProviderComponent()) {
      // Text the grammar cannot read is refused with the parser's message; the cell stays.
      try {
        Condition = SyntaxProvider->GetASTSyntaxProvider()->ParseLogicalExpression(Trimmed, false);
      } catch (const EvxSQLError& Error) {
        throw RefusedText(Error, Trimmed);
      }
      Condition = SimplifyLogicalExpression(std::move(Condition));
      if (Condition) {
        FixupNode(*Condition);
        if (const TSQLExpressionItem* Expression = ExpressionOnly()) Condition->RemoveLExpression(Expression);
      }
    }
    // A condition this row cannot be written with (or one that simplifies to nothing) keeps the
    // old one; the grid line shows it again.
    if (!Condition || !IsExpressionOnly() || !IsConditionAllowed(*Condition)) {
      FSelectList->Update(this);
      return;
    }
    TSQLExpressionItem* Cell = Condition.get();
    SetCell(Column, std::move(Condition));
    if (TvxBaseMetadataProvider* Metadata =
            GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetMetadataProvider() : nullptr)
      Cell->RefreshFieldsListRecursive(Metadata);
    LoadSubQueries(Cell);
  }
  if (GetConditionNode(Column) != nullptr && FGroupByType == gtExpression) FGroupByType = gtWhere;
  ShrinkConditionsList();
  NotifySQLUpdated();
}

void TvxSelectItem::AddCondition(int Column, std::unique_ptr<TSQLExpressionItem> Condition) {
  if (!Condition || Column < 0) return;
  if (const TSQLExpressionItem* Expression = ExpressionOnly()) Condition->RemoveLExpression(Expression);
  LoadSubQueries(Condition.get());
  if (Column >= GetConditionsCount()) FCriteria.resize(static_cast<size_t>(Column) + 1);
  std::unique_ptr<TSQLExpressionItem>& Cell = FCriteria[static_cast<size_t>(Column)];
  if (!Cell) {
    Cell = std::move(Condition);
  } else if (auto* And = dynamic_cast<TSQLExpressionAnd*>(Cell.get())) {
    And->Add(std::move(Condition));
  } else {
    // A cell is a conjunction: an OR already there becomes one term of it (the writer brackets it).
    auto NewAnd = NewNode<TSQLExpressionAnd>(Cell->GetSyntaxProvider());
    NewAnd->Add(std::move(Cell));
    NewAnd->Add(std::move(Condition));
    Cell = std::move(NewAnd);
  }
  NotifySQLUpdated();
}

void TvxSelectItem::ShrinkConditionsList() {
  while (!FCriteria.empty() && !FCriteria.back()) FCriteria.pop_back();
}

void TvxSelectItem::ClearConditions() { FCriteria.clear(); }

std::unique_ptr<TSQLExpressionItem> TvxSelectItem::GetConditionTree(int Column) const {
  const TSQLExpressionItem* Cell = GetConditionNode(Column);
  if (Cell == nullptr) return nullptr;
  std::unique_ptr<TSQLExpressionItem> Tree = Cell->Clone();
  if (const TSQLExpressionItem* Expression = ExpressionOnly()) Tree->RestoreLExpression(Expression);
  return vx::WriteLogicalComparisons(std::move(Tree));
}

bool TvxSelectItem::NotifyDatasourceDestroyingInternal(TvxDatasource* Datasource) {
  const TSQLFromSource* Source = Datasource != nullptr ? Datasource->GetNode() : nullptr;
  if (Source == nullptr || !FExpression) return false;
  if (TSQLExpressionItem* Expression = ExpressionOnly()) {
    if (Expression->ContainsOnlyItemsWithFromSource(Source))
      FExpression.reset();
    else
      Expression->RemoveReferencesToFromSource(Source);
  } else if (auto* All = dynamic_cast<const TSQLSelectItemAllTableColumns*>(FExpression.get())) {
    if (All->GetObject() != nullptr && All->GetObject()->GetFromSource() == Source) FExpression.reset();
  }
  if (!FExpression) return true;

  for (std::unique_ptr<TSQLExpressionItem>& Cell : FCriteria) {
    if (!Cell) continue;
    if (Cell->ContainsOnlyItemsWithFromSource(Source)) {
      Cell.reset();
    } else {
      Cell->RemoveReferencesToFromSource(Source);
      Cell = SimplifyLogicalExpression(std::move(Cell));
    }
  }
  ShrinkConditionsList();
  CalcColumnAndDatasource();
  NotifySQLUpdated();
  return false;
}
