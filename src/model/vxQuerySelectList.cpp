// The select list: its rows and sort order, loading the SELECT list, WHERE, GROUP BY, HAVING and
// ORDER BY into rows, and building those clauses back. The grid content is in
// vxQuerySelectListGrid.cpp.
#include "vxQuerySelectList.h"

#include "vxASTCriteria.h"
#include "vxQueryBuilder.h"
#include "vxQueryCriteria.h"
#include "vxQueryDatasource.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSyntaxProvider.h"

#include <QPointer>
#include <QScopedValueRollback>

#include <algorithm>
#include <unordered_set>

namespace {

constexpr TvxQueryBuilderGroupByTypes WhereTypes{gtExpression, gtWhere};
constexpr TvxQueryBuilderGroupByTypes HavingTypes{gtExpression, gtGroupBy, gtHaving, gtAggregateStar, gtAggregate};
constexpr TvxQueryBuilderGroupByTypes AllTypes{gtExpression, gtGroupBy,       gtHaving,
                                               gtWhere,      gtAggregateStar, gtAggregate};

// The key of a result column named Name (a name as a tree stores it) among the result columns:
// what the name stands for, upper-cased, so that "Total" and Total, "a""b" and the alias a"b
// meet.
std::string ResultColumnKey(const TastSyntaxProvider* Dialect, std::string_view Name) {
  return vx::UpperCase(Dialect != nullptr ? Dialect->UnquoteName(Name) : std::string(Name));
}

// Takes the condition out of any brackets around it; the brackets are freed.
std::unique_ptr<TSQLExpressionItem> WithoutBrackets(std::unique_ptr<TSQLExpressionItem> Condition) {
  while (auto* Brackets = dynamic_cast<TSQLExpressionBrackets*>(Condition.get()))
    Condition = Brackets->ExtractExpression();
  return Condition;
}

}  // namespace

TvxSelectList::TvxSelectList(TvxUnionSubQuery* Operand) : TvxQueryBuilderControlOwner(Operand) { NewRow(0); }

TvxSelectList::~TvxSelectList() {
  MarkDestroying();
  // The rows go first, oldest first: Qt finds a child that goes by searching its parent's
  // children from the front, so freeing the newest first would make a list of many rows go in
  // quadratic time. Rows going with their list tell it nothing.
  std::vector<QPointer<QObject>> Rows;
  for (QObject* Child : children())
    if (qobject_cast<TvxSelectItem*>(Child) != nullptr) Rows.emplace_back(Child);
  for (const QPointer<QObject>& Row : Rows) delete Row.data();
  DestroyComponents();
  FItems.clear();
  FSortOrder.clear();
}

TastSyntaxProvider* TvxSelectList::GetDialect() const {
  return GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetASTSyntaxProvider() : nullptr;
}

// --- rows --------------------------------------------------------------------------------------

TvxSelectItem* TvxSelectList::GetItems(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FItems[static_cast<size_t>(Index)];
}

int TvxSelectList::IndexOf(const TvxSelectItem* Row) const {
  auto Found = std::find(FItems.begin(), FItems.end(), Row);
  return Found == FItems.end() ? -1 : static_cast<int>(Found - FItems.begin());
}

TvxSelectItem* TvxSelectList::NewRow(int Index) {
  auto* Row = new TvxSelectItem(this);
  FItems.insert(FItems.begin() + Index, Row);
  if (FExpressionIndex) {
    if (Index + 1 != GetCount()) {
      FExpressionIndex->FilledBefore = 0;
      NumberRows();
    } else if (FExpressionIndex->Built) {
      FExpressionIndex->Order[Row] = FExpressionIndex->NextOrder++;
    }
  }
  if (Row->CanCreateControls()) Row->CreateControl();
  return Row;
}

TvxSelectItem* TvxSelectList::AddEmptyRow() {
  TvxSelectItem* Row = NewRow(GetCount());
  NotifySQLUpdated();
  return Row;
}

TvxSelectItem* TvxSelectList::InsertEmptyRow(int Index) {
  if (Index < 0 || Index > GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  TvxSelectItem* Row = NewRow(Index);
  NotifySQLUpdated();
  return Row;
}

void TvxSelectList::RemoveLastRow() {
  if (!FItems.empty()) delete FItems.back();
}

void TvxSelectList::Move(int From, int To) {
  if (From < 0 || From >= GetCount()) throw EvxListError::IndexOutOfBounds(From);
  if (To < 0 || To >= GetCount()) throw EvxListError::IndexOutOfBounds(To);
  if (From == To) return;
  vx::MoveElement(FItems, From, To);
  ReindexRows();
  NotifySQLUpdated();
}

void TvxSelectList::Clear() {
  TvxUpdateScope Update(this);
  const std::vector<TvxSelectItem*> Rows = FItems;
  for (auto It = Rows.rbegin(); It != Rows.rend(); ++It) (*It)->Clear();
}

TvxSelectItem* TvxSelectList::AddExpression(const std::string& Text) { return InsertExpression(GetCount(), Text); }

TvxSelectItem* TvxSelectList::InsertExpression(int Index, const std::string& Text) {
  TvxUpdateScope Update(this);
  TvxSelectItem* Row = InsertEmptyRow(Index);
  Row->SetExpression(Text);
  return Row;
}

void TvxSelectList::RowDestroying(TvxSelectItem* Row) {
  UnindexRow(Row);
  if (FExpressionIndex) {
    FExpressionIndex->Order.erase(Row);
    FExpressionIndex->FilledBefore = 0;
  }
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Row), FItems.end());
  FSortOrder.erase(std::remove(FSortOrder.begin(), FSortOrder.end(), Row), FSortOrder.end());
  if (!FTidying) NotifySQLUpdated();
}

// --- fields ------------------------------------------------------------------------------------

TvxSelectItem* TvxSelectList::AddField(TvxDatasource* Datasource, const std::string& Field) {
  return InsertField(GetCount(), Datasource, Field);
}

TvxSelectItem* TvxSelectList::InsertField(int Index, TvxDatasource* Datasource, const std::string& Field) {
  TvxUpdateScope Update(this);
  TvxSelectItem* Row = InsertEmptyRow(Index);
  Row->SetFieldExpression(Datasource, Field);
  return Row;
}

namespace {
bool IsRowForField(const TvxSelectItem& Row, const TSQLFromSource* Source, const std::string& Key) {
  return Row.HasExpression() && Row.GetDatasourceNode() == Source && Row.GetFieldName() == Key;
}
}  // namespace

TvxSelectItem* TvxSelectList::FindField(const TvxDatasource* Datasource, const std::string& Field) const {
  const TSQLFromSource* Source = Datasource != nullptr ? Datasource->GetNode() : nullptr;
  if (Source == nullptr) return nullptr;
  const std::string Key = vx::UpperCase(Field);
  for (TvxSelectItem* Row : FItems)
    if (IsRowForField(*Row, Source, Key)) return Row;
  return nullptr;
}

void TvxSelectList::RemoveFields(TvxDatasource* Datasource, const std::string& Field) {
  const TSQLFromSource* Source = Datasource != nullptr ? Datasource->GetNode() : nullptr;
  if (Source == nullptr) return;
  const std::string Key = vx::UpperCase(Field);
  TvxUpdateScope Update(this);
  const std::vector<TvxSelectItem*> Rows = FItems;
  for (TvxSelectItem* Row : Rows) {
    if (!IsRowForField(*Row, Source, Key)) continue;
    Row->SetSelect(false);
    if (!Row->GetAlias().empty()) continue;
    Row->Clear();
    // Emptied rows gather at the end, where the tidy-up drops all but one.
    FItems.erase(std::find(FItems.begin(), FItems.end(), Row));
    auto LastUsed =
        std::find_if(FItems.rbegin(), FItems.rend(), [](const TvxSelectItem* Item) { return Item->HasExpression(); });
    FItems.insert(LastUsed.base(), Row);
  }
  ReindexRows();
  NotifySQLUpdated();
}

TvxSelectItem* TvxSelectList::FindSelectItem(const TSQLExpressionItem& Expression,
                                             TvxQueryBuilderGroupByTypes Allowed) const {
  auto IsAllowed = [&Allowed](const TvxSelectItem* Row) { return Allowed.Contains(Row->GetGroupByType()); };
  if (!FExpressionIndex || !FExpressionIndex->Built) {
    for (TvxSelectItem* Row : FItems)
      if (IsAllowed(Row) && Row->IsEqualExpression(Expression)) return Row;
    return nullptr;
  }
  const auto Found = FExpressionIndex->Rows.find(TvxSelectItem::ComparisonText(Expression));
  if (Found == FExpressionIndex->Rows.end()) return nullptr;
  const auto Row = std::find_if(Found->second.begin(), Found->second.end(), IsAllowed);
  return Row != Found->second.end() ? *Row : nullptr;
}

TvxSelectItem* TvxSelectList::FindOrAddSelectItem(const TSQLExpressionItem& Expression,
                                                  TvxQueryBuilderGroupByTypes Allowed,
                                                  TvxQueryBuilderGroupByType Type) {
  EnsureIndex();
  if (TvxSelectItem* Row = FindSelectItem(Expression, Allowed)) {
    // Filed already, under a text the grouping type does not change.
    if (Row->GetGroupByType() == gtExpression) Row->SetGroupByType(Type);
    return Row;
  }
  TvxSelectItem* Row = LoadIntoFreeRow(Expression);
  const TvxQueryBuilderGroupByType Loaded = Row->GetGroupByType();
  if (Loaded == gtExpression || (Type == gtWhere && (Loaded == gtAggregate || Loaded == gtAggregateStar)))
    Row->SetGroupByType(Type);
  return Row;
}

TvxSelectItem* TvxSelectList::LoadIntoFreeRow(const TSQLExpressionItem& Expression) {
  // While a load runs, the rows before the hint are known to hold expressions (loading only
  // fills rows), so the search goes on from there: filling many rows stays linear.
  const size_t From = FExpressionIndex ? std::min(FExpressionIndex->FilledBefore, FItems.size()) : 0;
  const auto Empty = std::find_if(FItems.begin() + static_cast<std::ptrdiff_t>(From), FItems.end(),
                                  [](const TvxSelectItem* Row) { return !Row->HasExpression(); });
  const size_t Place = static_cast<size_t>(Empty - FItems.begin());
  TvxSelectItem* Row = Empty != FItems.end() ? *Empty : NewRow(GetCount());
  if (FExpressionIndex) FExpressionIndex->FilledBefore = Place + 1;
  Row->LoadFromAST(Expression.Clone());
  IndexRow(Row);
  return Row;
}

// The index lives from the start to the end of the outermost load that asks for it.
class TvxSelectList::TIndexedLoading {
public:
  explicit TIndexedLoading(TvxSelectList& List) : FList(List), FOutermost(!List.FExpressionIndex) {
    if (!FOutermost) return;
    FList.FExpressionIndex = std::make_unique<TExpressionIndex>();
  }
  ~TIndexedLoading() {
    if (FOutermost) FList.FExpressionIndex.reset();
  }
  TIndexedLoading(const TIndexedLoading&) = delete;
  TIndexedLoading& operator=(const TIndexedLoading&) = delete;

private:
  TvxSelectList& FList;
  const bool FOutermost;
};

void TvxSelectList::IndexRow(TvxSelectItem* Row) {
  if (!FExpressionIndex || !FExpressionIndex->Built) return;
  std::string Text = Row->GetComparisonText();
  const auto Filed = FExpressionIndex->Texts.find(Row);
  if (Filed != FExpressionIndex->Texts.end() && Filed->second == Text) return;
  UnindexRow(Row);
  if (Text.empty()) return;
  std::vector<TvxSelectItem*>& Rows = FExpressionIndex->Rows[Text];
  FExpressionIndex->Texts.emplace(Row, std::move(Text));
  // Rows sharing a text stay in list order. Rows are mostly filed in list order, so the place
  // is at the end; otherwise it is found by bisection.
  const auto& Order = FExpressionIndex->Order;
  const size_t Place = Order.at(Row);
  if (Rows.empty() || Order.at(Rows.back()) < Place) {
    Rows.push_back(Row);
    return;
  }
  Rows.insert(std::upper_bound(Rows.begin(), Rows.end(), Place,
                               [&Order](size_t Value, const TvxSelectItem* Other) { return Value < Order.at(Other); }),
              Row);
}

void TvxSelectList::UnindexRow(const TvxSelectItem* Row) {
  if (!FExpressionIndex || !FExpressionIndex->Built) return;
  const auto Filed = FExpressionIndex->Texts.find(Row);
  if (Filed != FExpressionIndex->Texts.end()) {
    const auto Rows = FExpressionIndex->Rows.find(Filed->second);
    const auto& Order = FExpressionIndex->Order;
    const size_t Place = Order.at(Row);
    const auto Found =
        std::lower_bound(Rows->second.begin(), Rows->second.end(), Place,
                         [&Order](const TvxSelectItem* Other, size_t Value) { return Order.at(Other) < Value; });
    if (Found != Rows->second.end() && *Found == Row) Rows->second.erase(Found);
    if (Rows->second.empty()) FExpressionIndex->Rows.erase(Rows);
    FExpressionIndex->Texts.erase(Filed);
  }
}

void TvxSelectList::EnsureIndex() {
  if (!FExpressionIndex || FExpressionIndex->Built) return;
  FExpressionIndex->Built = true;
  ReindexRows();
}

void TvxSelectList::NumberRows() {
  if (!FExpressionIndex || !FExpressionIndex->Built) return;
  FExpressionIndex->Order.clear();
  FExpressionIndex->NextOrder = 0;
  for (const TvxSelectItem* Row : FItems) FExpressionIndex->Order[Row] = FExpressionIndex->NextOrder++;
}

void TvxSelectList::ReindexRows() {
  if (FExpressionIndex) FExpressionIndex->FilledBefore = 0;
  if (!FExpressionIndex || !FExpressionIndex->Built) return;
  FExpressionIndex->Rows.clear();
  FExpressionIndex->Texts.clear();
  NumberRows();
  for (TvxSelectItem* Row : FItems) IndexRow(Row);
}

// --- loading -----------------------------------------------------------------------------------

void TvxSelectList::LoadSelectListFromAST(std::unique_ptr<TSQLSelectItems> SelectItems) {
  TvxUpdateScope Update(this);
  FSelectItemsNode = SelectItems ? std::move(SelectItems) : NewNode<TSQLSelectItems>(GetDialect());
  int Index = 0;
  for (std::unique_ptr<TastNode>& Item : FSelectItemsNode->ExtractAll()) {
    if (!Item) continue;
    while (GetCount() <= Index) NewRow(GetCount());
    FItems[static_cast<size_t>(Index++)]->LoadFromAST(std::move(Item));
  }
  NotifySQLUpdated();
}

void TvxSelectList::LoadConditionFromAST(std::unique_ptr<TSQLExpressionItem> Condition,
                                         TvxQueryBuilderGroupByType Type) {
  TvxUpdateScope Update(this);
  TIndexedLoading Indexed(*this);
  Condition = WithoutBrackets(PrepareLogicalExpressionForLoading(std::move(Condition)));
  if (!Condition) return;
  if (auto* Or = dynamic_cast<TSQLExpressionOr*>(Condition.get())) {
    std::vector<std::unique_ptr<TSQLExpressionItem>> Alternatives = Or->ExtractAll();
    for (size_t Column = 0; Column < Alternatives.size(); ++Column) {
      std::unique_ptr<TSQLExpressionItem>& Alternative = Alternatives[Column];
      if (!Alternative) continue;
      if (dynamic_cast<const TSQLExpressionAnd*>(vx::SkipBrackets(Alternative.get())) != nullptr) {
        std::unique_ptr<TSQLExpressionItem> And = WithoutBrackets(std::move(Alternative));
        for (auto& Item : static_cast<TSQLExpressionAnd&>(*And).ExtractAll())
          PlaceCondition(std::move(Item), static_cast<int>(Column), Type);
      } else {
        PlaceCondition(std::move(Alternative), static_cast<int>(Column), Type);
      }
    }
  } else if (auto* And = dynamic_cast<TSQLExpressionAnd*>(Condition.get())) {
    for (auto& Item : And->ExtractAll()) PlaceCondition(std::move(Item), 0, Type);
  } else {
    PlaceCondition(std::move(Condition), 0, Type);
  }
}

void TvxSelectList::PlaceCondition(std::unique_ptr<TSQLExpressionItem> Condition, int Column,
                                   TvxQueryBuilderGroupByType Type) {
  if (!Condition) return;
  TSQLExpressionItem* Tested = nullptr;
  Condition = FindExpressionItem(std::move(Condition), Tested);
  if (!Condition || Tested == nullptr) return;
  // The tested expression is part of Condition and goes when its left operand is removed.
  const std::unique_ptr<TSQLExpressionItem> Expression = Tested->Clone();
  TvxSelectItem* Row = FindOrAddSelectItem(*Expression, Type == gtWhere ? WhereTypes : HavingTypes, Type);
  Condition->RemoveLExpression(Expression.get());
  Row->AddCondition(Column, std::move(Condition));
}

void TvxSelectList::AddWhereCondition(std::unique_ptr<TSQLExpressionItem> Condition) {
  if (!Condition) return;
  TvxUpdateScope Update(this);
  int Count = 0;
  for (const TvxSelectItem* Row : FItems) Count = std::max(Count, Row->GetConditionsCount());
  std::vector<int> Columns;
  for (int Column = 0; Column < Count; ++Column)
    if (std::any_of(FItems.begin(), FItems.end(), [Column](const TvxSelectItem* Row) {
          return Row->GetGroupByType() == gtWhere && Row->GetConditionNode(Column) != nullptr;
        }))
      Columns.push_back(Column);
  if (Columns.empty()) Columns.push_back(0);
  Condition = PrepareLogicalExpressionForLoading(std::move(Condition));
  for (size_t At = 0; At < Columns.size() && Condition; ++At) {
    std::unique_ptr<TSQLExpressionItem> Copy = At + 1 < Columns.size() ? Condition->Clone() : std::move(Condition);
    // The items of an AND are conditions of their own, as a loaded WHERE splits them.
    if (dynamic_cast<const TSQLExpressionAnd*>(vx::SkipBrackets(Copy.get())) != nullptr) {
      std::unique_ptr<TSQLExpressionItem> And = WithoutBrackets(std::move(Copy));
      for (auto& Item : static_cast<TSQLExpressionAnd&>(*And).ExtractAll())
        PlaceCondition(std::move(Item), Columns[At], gtWhere);
    } else {
      PlaceCondition(std::move(Copy), Columns[At], gtWhere);
    }
  }
  NotifySQLUpdated();
}

void TvxSelectList::LoadGroupByListFromAST(std::unique_ptr<TSQLGroupByList> GroupByList) {
  TvxUpdateScope Update(this);
  FGroupByNode = GroupByList ? std::move(GroupByList) : NewNode<TSQLGroupByList>(GetDialect());
  TIndexedLoading Indexed(*this);
  for (const std::unique_ptr<TastNode>& Node : FGroupByNode->ExtractAll())
    if (const auto* Expression = dynamic_cast<const TSQLExpressionItem*>(Node.get()))
      FindOrAddSelectItem(*Expression, HavingTypes, gtGroupBy);
  NotifySQLUpdated();
}

void TvxSelectList::LoadOrderByListFromAST(std::unique_ptr<TSQLOrderByClause> OrderByClause, TvxSortKeyForm Form) {
  if (!OrderByClause) return;
  TvxUpdateScope Update(this);
  TIndexedLoading Indexed(*this);
  const TResultColumns Columns = GetResultColumns(Form);
  // The keys as they are built back: a key that builds as an earlier one sorts by the same
  // column and cannot change the order.
  std::unordered_set<std::string> Keys;
  for (const std::unique_ptr<TastNode>& Node : OrderByClause->ExtractAll()) {
    auto* Item = dynamic_cast<TSQLOrderByItem*>(Node.get());
    if (Item == nullptr || Item->GetExpression() == nullptr) continue;
    if (Item->IsPosition() && Keys.contains(TvxSelectItem::ComparisonText(*Item->GetExpression()))) continue;
    TvxSelectItem* Row = FindOrAddSortedRow(*Item, Columns);
    if (std::unique_ptr<TSQLOrderByItem> Key = GetSortKey(*Row, Form, Columns))
      if (!Keys.insert(TvxSelectItem::ComparisonText(*Key->GetExpression())).second) continue;
    AddToSortOrder(Row);
    Row->FSortType = Item->GetOrder() == TSQLOrderByOrders::obDesc ? stDesc : stAsc;
  }
  NotifySQLUpdated();
}

TvxSelectItem* TvxSelectList::FindOrAddSortedRow(const TSQLOrderByItem& Item, const TResultColumns& Columns) {
  if (const TSQLObjectColumn* Name = Item.GetBareName()) {
    const auto Named = Columns.find(ResultColumnKey(GetDialect(), Name->GetObjName()));
    if (Named != Columns.end()) return Named->second;
  }
  if (Item.IsPosition()) return LoadIntoFreeRow(*Item.GetExpression());
  return FindOrAddSelectItem(*Item.GetExpression(), AllTypes, gtExpression);
}

// --- building ----------------------------------------------------------------------------------

std::unique_ptr<TSQLSelectItems> TvxSelectList::GetASTSelectItems() const {
  std::unique_ptr<TSQLSelectItems> Tree =
      FSelectItemsNode ? CloneNode(*FSelectItemsNode) : NewNode<TSQLSelectItems>(GetDialect());
  for (const TvxSelectItem* Row : FItems)
    if (Row->GetSelect())
      if (std::unique_ptr<TSQLSelectItem> Item = Row->GetSelectItemTree()) Tree->Add(std::move(Item));
  return Tree;
}

std::unique_ptr<TSQLExpressionItem> TvxSelectList::GetConditionTree(TvxQueryBuilderGroupByTypes Types) const {
  std::vector<const TvxSelectItem*> Rows;
  int Columns = 0;
  for (const TvxSelectItem* Row : FItems) {
    if (!Types.Contains(Row->GetGroupByType())) continue;
    Rows.push_back(Row);
    for (int Column = Row->GetConditionsCount(); Column > Columns; --Column)
      if (Row->GetConditionNode(Column - 1) != nullptr) {
        Columns = Column;
        break;
      }
  }
  TastSyntaxProvider* Dialect = GetDialect();
  // Two or more parts make a new list; one stays as it is.
  auto Combine = [](std::vector<std::unique_ptr<TSQLExpressionItem>> Parts,
                    std::unique_ptr<TSQLExpressionLogicalCollection> List) -> std::unique_ptr<TSQLExpressionItem> {
    if (Parts.empty()) return nullptr;
    if (Parts.size() == 1) return std::move(Parts.front());
    for (auto& Part : Parts) List->Add(std::move(Part));
    return List;
  };
  std::vector<std::unique_ptr<TSQLExpressionItem>> Alternatives;
  for (int Column = 0; Column < Columns; ++Column) {
    std::vector<std::unique_ptr<TSQLExpressionItem>> Conditions;
    for (const TvxSelectItem* Row : Rows)
      if (std::unique_ptr<TSQLExpressionItem> Condition = Row->GetConditionTree(Column))
        Conditions.push_back(std::move(Condition));
    if (auto Conjunction = Combine(std::move(Conditions), NewNode<TSQLExpressionAnd>(Dialect)))
      Alternatives.push_back(std::move(Conjunction));
  }
  return Combine(std::move(Alternatives), NewNode<TSQLExpressionOr>(Dialect));
}

std::unique_ptr<TSQLGroupByList> TvxSelectList::GetGroupByTree() const {
  std::unique_ptr<TSQLGroupByList> Tree;
  for (const TvxSelectItem* Row : FItems) {
    const TSQLExpressionItem* Expression = Row->ExpressionOnly();
    if (Row->GetGroupByType() != gtGroupBy || Expression == nullptr) continue;
    if (!Tree) Tree = FGroupByNode ? CloneNode(*FGroupByNode) : NewNode<TSQLGroupByList>(GetDialect());
    Tree->Add(Expression->Clone());
  }
  return Tree;
}

std::unique_ptr<TSQLOrderByClause> TvxSelectList::GetOrderByClause(TvxSortKeyForm Form) const {
  if (FSortOrder.empty()) return nullptr;
  auto Clause = NewNode<TSQLOrderByClause>(GetDialect());
  const TResultColumns Columns = GetResultColumns(Form);
  for (const TvxSelectItem* Row : FSortOrder)
    if (Row->GetSortType() != stNone)
      if (std::unique_ptr<TSQLOrderByItem> Item = GetSortKey(*Row, Form, Columns)) Clause->Add(std::move(Item));
  return Clause;
}

TvxSelectList::TResultColumns TvxSelectList::GetResultColumns(TvxSortKeyForm Form) const {
  TResultColumns Columns;
  for (TvxSelectItem* Row : FItems) {
    if (!Row->GetSelect() || !Row->IsExpressionOnly()) continue;
    if (Row->GetAliasNode() != nullptr) {
      Columns.try_emplace(vx::UpperCase(Row->GetAlias()), Row);  // the alias as it is called
    } else if (Form == TvxSortKeyForm::skResultName) {
      const auto* Reference = dynamic_cast<const TSQLExpressionColumn*>(Row->ExpressionOnly());
      if (Reference != nullptr && Reference->GetColumn() != nullptr)
        Columns.try_emplace(ResultColumnKey(GetDialect(), Reference->GetColumn()->GetObjName()), Row);
    }
  }
  return Columns;
}

std::unique_ptr<TSQLOrderByItem> TvxSelectList::GetSortKey(const TvxSelectItem& Row, TvxSortKeyForm Form,
                                                           const TResultColumns& Columns) const {
  std::unique_ptr<TSQLOrderByItem> Key = Row.GetOrderByItem(Form);
  if (!Key || Form != TvxSortKeyForm::skExpression) return Key;
  bool ReadsAsAnotherColumn = Key->IsPosition();
  if (!ReadsAsAnotherColumn && Key->GetBareName() != nullptr) {
    const auto Named = Columns.find(ResultColumnKey(GetDialect(), Key->GetExpression()->GetSimpleSQL()));
    ReadsAsAnotherColumn = Named != Columns.end() && Named->second != &Row;
  }
  if (!ReadsAsAnotherColumn) return Key;
  const auto Own = Columns.find(vx::UpperCase(Row.GetAlias()));
  return Own != Columns.end() && Own->second == &Row ? Row.GetOrderByItem(TvxSortKeyForm::skResultName)
                                                     : std::move(Key);
}

void TvxSelectList::GetASTChildren(TastChildren& List) const {
  if (FSelectItemsNode) List.push_back(FSelectItemsNode.get());
  if (FGroupByNode) List.push_back(FGroupByNode.get());
}

// --- sort order --------------------------------------------------------------------------------

TvxSelectItem* TvxSelectList::GetSortOrderItems(int Index) const {
  if (Index < 0 || Index >= GetSortOrderCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FSortOrder[static_cast<size_t>(Index)];
}

int TvxSelectList::SortOrderIndexOf(const TvxSelectItem* Row) const {
  auto Found = std::find(FSortOrder.begin(), FSortOrder.end(), Row);
  return Found == FSortOrder.end() ? -1 : static_cast<int>(Found - FSortOrder.begin());
}

void TvxSelectList::AddToSortOrder(TvxSelectItem* Row) {
  if (SortOrderIndexOf(Row) < 0) FSortOrder.push_back(Row);
}

void TvxSelectList::RemoveFromSortOrder(TvxSelectItem* Row) {
  FSortOrder.erase(std::remove(FSortOrder.begin(), FSortOrder.end(), Row), FSortOrder.end());
}

void TvxSelectList::MoveInSortOrder(TvxSelectItem* Row, int Index) {
  const int From = SortOrderIndexOf(Row);
  if (From < 0) return;
  const int To = std::clamp(Index, 0, GetSortOrderCount() - 1);
  vx::MoveElement(FSortOrder, From, To);
}

// --- keeping the list tidy ---------------------------------------------------------------------

void TvxSelectList::TidyRows() {
  const QScopedValueRollback<bool> Tidying(FTidying, true);
  if (FItems.empty() || FItems.back()->HasExpression()) NewRow(GetCount());
  while (GetCount() >= 2 && !FItems[FItems.size() - 1]->HasExpression() && !FItems[FItems.size() - 2]->HasExpression())
    delete FItems.back();
}

void TvxSelectList::DoSQLUpdated() {
  if (IsDestroying()) return;
  TidyRows();
  FillList();
  if (TvxUnionSubQuery* Operand = GetUnionSubQuery())
    if (TvxFromClause* From = Operand->GetFromClause()) From->UpdateChecks();
  TvxQueryBuilderControlOwner::DoSQLUpdated();
}
