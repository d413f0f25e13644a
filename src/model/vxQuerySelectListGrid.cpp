// What the select-list grid shows and how its cells are edited: one line per row with its
// texts, the pick lists and edit styles of its columns, and typed text handed to the rows. The
// grid control only displays these and hands the user's actions back here.
#include "vxQuerySelectList.h"

#include "vxASTLogical.h"
#include "vxQBControlFactory.h"
#include "vxQBControlViews.h"
#include "vxQueryBuilder.h"
#include "vxQueryCriteria.h"
#include "vxQueryDatasource.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSyntaxProvider.h"

#include <QScopedValueRollback>

#include <algorithm>

QWidget* TvxSelectList::CreateControlInternal(int Index) {
  TvxQueryBuilderControlFactory* Factory = GetControlFactory();
  return Factory != nullptr && Index == 0 ? Factory->CreateSelectListGrid(this) : nullptr;
}

TvxSelectListGridView* TvxSelectList::GetGridView() const {
  return dynamic_cast<TvxSelectListGridView*>(GetControls(0));
}

int TvxSelectList::GetGridColumnCount() const {
  int Criteria = 0;
  for (const TvxSelectItem* Row : FItems) Criteria = std::max(Criteria, Row->GetConditionsCount());
  return FixedGridColumns + std::max(MinCriteriaColumns, Criteria + 1);
}

std::string TvxSelectList::GetCellText(const TvxSelectItem& Row, int Column) const {
  const bool HasExpression = Row.HasExpression();
  switch (Column) {
    case slcIndicator:
      return std::string();
    case slcOutput:
      if (!HasExpression) return "-2";
      if (!Row.IsCanSelect()) return "-1";
      return Row.GetSelect() ? "1" : "0";
    case slcExpression:
      return Row.GetExpression();
    case slcAlias:
      return Row.GetAlias();
    case slcSortType:
      return HasExpression ? Row.GetSortTypeName() : std::string();
    case slcSortOrder:
      return HasExpression ? Row.GetSortOrderName() : std::string();
    case slcGroupBy:
      return HasExpression ? Row.GetGroupByTypeName() : std::string();
    default:
      return Row.GetCondition(Column - slcCriteria);
  }
}

std::vector<std::string> TvxSelectList::GetRowTexts(const TvxSelectItem& Row) const {
  std::vector<std::string> Texts(static_cast<size_t>(GetGridColumnCount()));
  for (size_t Column = 0; Column < Texts.size(); ++Column) Texts[Column] = GetCellText(Row, static_cast<int>(Column));
  return Texts;
}

void TvxSelectList::FillList() {
  TvxSelectListGridView* Grid = GetGridView();
  if (Grid == nullptr) return;
  const QScopedValueRollback<bool> Filling(FFilling, true);
  std::vector<TvxSelectListGridLine> Lines;
  Lines.reserve(FItems.size());
  for (TvxSelectItem* Row : FItems) Lines.push_back({Row, GetRowTexts(*Row)});
  Grid->SetGridLines(std::move(Lines), GetGridColumnCount());
}

void TvxSelectList::FillRow(TvxSelectItem* Row, int GridRow) {
  TvxSelectListGridView* Grid = GetGridView();
  if (Grid == nullptr || Row == nullptr || GridRow < 1) return;
  const QScopedValueRollback<bool> Filling(FFilling, true);
  std::vector<std::string> Texts = GetRowTexts(*Row);
  if (Grid->GetGridColumnCount() < static_cast<int>(Texts.size()))
    Grid->SetGridColumnCount(static_cast<int>(Texts.size()));
  // Lines between the last one and GridRow are added free.
  for (int Line = Grid->GetGridLineCount() + 1; Line < GridRow; ++Line) Grid->SetGridLine(Line, {});
  Grid->SetGridLine(GridRow, {Row, std::move(Texts)});
}

int TvxSelectList::FindItemRow(const TvxSelectItem* Row) const {
  const TvxSelectListGridView* Grid = GetGridView();
  if (Grid == nullptr) return -1;
  for (int GridRow = 1; GridRow <= Grid->GetGridLineCount(); ++GridRow)
    if (Grid->GetGridLineItem(GridRow) == Row) return GridRow;
  return -1;
}

void TvxSelectList::Update(TvxSelectItem* Row) {
  const TvxSelectListGridView* Grid = GetGridView();
  if (Grid == nullptr) return;
  int GridRow = FindItemRow(Row);
  if (GridRow < 0) {
    // The first free line after the occupied ones, or a new line at the end.
    GridRow = Grid->GetGridLineCount() + 1;
    while (GridRow > 1 && Grid->GetGridLineItem(GridRow - 1) == nullptr) --GridRow;
  }
  FillRow(Row, GridRow);
}

// --- editing in the grid -----------------------------------------------------------------------

bool TvxSelectList::CanEditCell(int Column, const TvxSelectItem* Row) const {
  if (Row == nullptr || IndexOf(Row) < 0) return false;
  switch (Column) {
    case slcIndicator:
    case slcOutput:
      return false;
    case slcExpression:
      return true;
    case slcAlias:
      return Row->IsSupportsAlias();
    case slcSortType:
    case slcSortOrder:
      return Row->IsCanSort();
    case slcGroupBy:
      return Row->HasExpression();
    default:
      return Row->IsExpressionOnly();
  }
}

TvxGridEditStyle TvxSelectList::GetEditStyle(int Column, const TvxSelectItem* Row) const {
  if (Row == nullptr) return esSimple;
  switch (Column) {
    case slcIndicator:
    case slcOutput:
    case slcAlias:
      return esSimple;
    case slcExpression:
      return Row->GetSubqueriesByRootNodeCount(Row->GetExpressionNode()) > 0 ? esEllipsis : esPickList;
    case slcSortType:
    case slcSortOrder:
    case slcGroupBy:
      return esPickList;
    default: {
      const TSQLExpressionItem* Condition = Row->GetConditionNode(Column - slcCriteria);
      if (Condition != nullptr && Row->GetSubqueriesByRootNodeCount(Condition) > 0) return esEllipsis;
      const TSQLExpressionItem* Expression = Row->ExpressionOnly();
      return vx::IsCondition(Expression) ? esPickList : esSimple;
    }
  }
}

void TvxSelectList::GetPickList(int Column, const TvxSelectItem& Row, TvxStringList& Strings) const {
  Strings.Clear();
  switch (Column) {
    case slcExpression:
      GetExpressionNames(Strings);
      break;
    case slcSortType:
      GetSortTypeNames(Strings);
      break;
    case slcSortOrder:
      GetSortOrderNames(Row, Strings);
      break;
    case slcGroupBy:
      Row.GetGroupByNames(Strings);
      break;
    default:
      if (Column >= slcCriteria) GetCriteriaNames(Strings);
      break;
  }
}

void TvxSelectList::SetEditText(int Column, TvxSelectItem* Row, const std::string& Text) {
  if (Row == nullptr || IndexOf(Row) < 0 || Text == GetCellText(*Row, Column)) return;
  switch (Column) {
    case slcIndicator:
    case slcOutput:
      return;
    case slcExpression:
      Row->SetExpression(Text);
      return;
    case slcAlias:
      Row->SetAlias(Text);
      return;
    case slcSortType:
      Row->SetSortTypeName(Text);
      return;
    case slcSortOrder:
      Row->SetSortOrderName(Text);
      return;
    case slcGroupBy:
      Row->SetGroupByTypeName(Text);
      return;
    default:
      Row->SetCondition(Column - slcCriteria, Text);
      return;
  }
}

void TvxSelectList::GetCellSubQueries(int Column, const TvxSelectItem& Row,
                                      std::vector<TvxSubSelectStatementProxy*>& List) const {
  const TastNode* Node = nullptr;
  if (Column == slcExpression)
    Node = Row.GetExpressionNode();
  else if (Column >= slcCriteria)
    Node = Row.GetConditionNode(Column - slcCriteria);
  if (Node != nullptr) Row.GetSubqueriesByRootNode(Node, List);
}

void TvxSelectList::EditCellSubQueries(int Column, TvxSelectItem& Row, const QPoint& ScreenPoint) {
  std::vector<TvxSubSelectStatementProxy*> Proxies;
  GetCellSubQueries(Column, Row, Proxies);
  if (Proxies.size() == 1) {
    if (GetQueryBuilder() != nullptr) GetQueryBuilder()->SetActiveSubquery(Proxies.front()->GetSubQuery());
  } else if (Proxies.size() > 1) {
    Row.ShowSubQueriesPopup(ScreenPoint, Proxies);
  }
}

TvxSelectItem* TvxSelectList::DropField(TvxDatasource* Datasource, const std::string& Field,
                                        const TvxSelectItem* Before) {
  int Index = IndexOf(Before);
  if (Index < 0) {
    Index = GetCount();
    if (!FItems.empty() && !FItems.back()->HasExpression()) --Index;
  }
  return InsertField(Index, Datasource, Field);
}

// --- pick lists --------------------------------------------------------------------------------

void TvxSelectList::GetSortTypeNames(TvxStringList& Strings) { Strings = {"", "Ascending", "Descending"}; }

void TvxSelectList::GetSortOrderNames(const TvxSelectItem& Row, TvxStringList& Strings) const {
  Strings.Clear();
  int Count = GetSortOrderCount();
  if (SortOrderIndexOf(&Row) < 0) ++Count;
  for (int Position = 1; Position <= Count; ++Position) Strings.Add(std::to_string(Position));
}

void TvxSelectList::GetCriteriaNames(TvxStringList& Strings) { Strings = {"=TRUE", "=FALSE"}; }

void TvxSelectList::GetExpressionNames(TvxStringList& Strings) const {
  Strings.Clear();
  TvxUnionSubQuery* Operand = GetUnionSubQuery();
  TvxFromClause* From = Operand != nullptr ? Operand->GetFromClause() : nullptr;
  if (From == nullptr) return;
  TvxDatasourceList Datasources;
  From->GetItemsByType(Datasources, TvxDatasource::staticMetaObject, true);
  const TvxNameFolding Folding =
      GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetNameFolding() : TvxNameFolding::nfNone;
  for (TvxDatasourceBase* Item : Datasources) {
    auto* Datasource = static_cast<TvxDatasource*>(Item);
    TSQLFromSource* Node = Datasource->GetNode();
    if (Node == nullptr) continue;
    const bool Named =
        Node->GetAlias() != nullptr || (dynamic_cast<const TSQLFromObject*>(Node) != nullptr &&
                                        static_cast<const TSQLFromObject*>(Node)->GetObject() != nullptr);
    if (!Named) continue;
    // The entries are SQL text that the row parses when one is picked: each is written as the
    // tree writes a column of the source (the source's alias or name, each name quoted as it
    // needs), never put together from raw names.
    TastSyntaxProvider* Dialect = Node->GetSyntaxProvider();
    auto Source = NewNode<TSQLDatabaseObject>(Dialect);
    Source->SetFromSource(Node);
    Strings.Add(Source->GetSimpleSQL() + ".*");
    for (const std::string& Field : Node->GetFieldsList()) {
      auto Column = NewNode<TSQLObjectColumn>(Dialect);
      Column->AddName(Dialect != nullptr ? Dialect->QuoteName(Field, Folding) : Field);
      Column->SetFromSource(Node);
      Strings.Add(Column->GetSimpleSQL());
    }
  }
}
