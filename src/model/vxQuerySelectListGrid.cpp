// What the select-list grid shows: one line per row with its texts, and the pick lists of its
// columns. The grid control itself only displays these and hands edits back to the rows.
#include "vxQuerySelectList.h"

#include "vxASTLogical.h"
#include "vxQBControlFactory.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSyntaxProvider.h"

#include <QScopedValueRollback>
#include <QTableWidget>

#include <algorithm>

namespace {

QString ToText(const std::string& Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }

TvxSelectItem* RowOfItem(const QTableWidgetItem* Item) {
  return Item != nullptr ? static_cast<TvxSelectItem*>(Item->data(Qt::UserRole).value<void*>()) : nullptr;
}

}  // namespace

QWidget* TvxSelectList::CreateControlInternal(int Index) {
  TvxQueryBuilderControlFactory* Factory = GetControlFactory();
  return Factory != nullptr && Index == 0 ? Factory->CreateSelectListGrid(this) : nullptr;
}

QTableWidget* TvxSelectList::GetSelectListControl() const { return qobject_cast<QTableWidget*>(GetControls(0)); }

int TvxSelectList::GetGridColumnCount() const {
  int Criteria = 0;
  for (const TvxSelectItem* Row : FItems) Criteria = std::max(Criteria, Row->GetConditionsCount());
  return FixedGridColumns + std::max(MinCriteriaColumns, Criteria + 1);
}

std::vector<std::string> TvxSelectList::GetRowTexts(const TvxSelectItem& Row) const {
  std::vector<std::string> Texts(static_cast<size_t>(GetGridColumnCount()));
  const bool HasExpression = Row.HasExpression();
  if (!HasExpression)
    Texts[1] = "-2";
  else if (!Row.IsCanSelect())
    Texts[1] = "-1";
  else
    Texts[1] = Row.GetSelect() ? "1" : "0";
  Texts[2] = Row.GetExpression();
  Texts[3] = Row.GetAlias();
  if (HasExpression) {
    Texts[4] = Row.GetSortTypeName();
    Texts[5] = Row.GetSortOrderName();
    Texts[6] = Row.GetGroupByTypeName();
  }
  for (size_t Column = FixedGridColumns; Column < Texts.size(); ++Column)
    Texts[Column] = Row.GetCondition(static_cast<int>(Column) - FixedGridColumns);
  return Texts;
}

void TvxSelectList::FillList() {
  QTableWidget* Grid = GetSelectListControl();
  if (Grid == nullptr) return;
  const QScopedValueRollback<bool> Filling(FFilling, true);
  Grid->setColumnCount(GetGridColumnCount());
  Grid->setRowCount(GetCount() + 1);
  for (int Index = 0; Index < GetCount(); ++Index) FillRow(FItems[static_cast<size_t>(Index)], Index + 1);
}

void TvxSelectList::FillRow(TvxSelectItem* Row, int GridRow) {
  QTableWidget* Grid = GetSelectListControl();
  if (Grid == nullptr || Row == nullptr || GridRow < 1) return;
  const QScopedValueRollback<bool> Filling(FFilling, true);
  const std::vector<std::string> Texts = GetRowTexts(*Row);
  if (Grid->columnCount() < static_cast<int>(Texts.size())) Grid->setColumnCount(static_cast<int>(Texts.size()));
  if (Grid->rowCount() <= GridRow) Grid->setRowCount(GridRow + 1);
  for (int Column = 0; Column < static_cast<int>(Texts.size()); ++Column) {
    QTableWidgetItem* Cell = Grid->item(GridRow, Column);
    if (Cell == nullptr) {
      Cell = new QTableWidgetItem;
      Grid->setItem(GridRow, Column, Cell);
    }
    Cell->setText(ToText(Texts[static_cast<size_t>(Column)]));
    if (Column == 0) Cell->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(Row)));
  }
}

int TvxSelectList::FindItemRow(const TvxSelectItem* Row) const {
  const QTableWidget* Grid = GetSelectListControl();
  if (Grid == nullptr) return -1;
  for (int GridRow = 1; GridRow < Grid->rowCount(); ++GridRow)
    if (RowOfItem(Grid->item(GridRow, 0)) == Row) return GridRow;
  return -1;
}

void TvxSelectList::Update(TvxSelectItem* Row) {
  QTableWidget* Grid = GetSelectListControl();
  if (Grid == nullptr) return;
  int GridRow = FindItemRow(Row);
  if (GridRow < 0) {
    // The first free line after the occupied ones, or a new line at the end.
    GridRow = Grid->rowCount();
    while (GridRow > 1 && RowOfItem(Grid->item(GridRow - 1, 0)) == nullptr) --GridRow;
    GridRow = std::max(GridRow, 1);
  }
  FillRow(Row, GridRow);
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
