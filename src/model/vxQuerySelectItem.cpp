// A select-list row: loading, the expression, alias, output, sorting and grouping. The criteria
// cells are in vxQuerySelectItemCriteria.cpp.
#include "vxQuerySelectItem.h"

#include "vxASTCriteria.h"
#include "vxASTFunctions.h"
#include "vxBaseMetadataProvider.h"
#include "vxBaseSyntaxProvider.h"
#include "vxParserBase.h"
#include "vxQBStrings.h"
#include "vxQueryBuilder.h"
#include "vxQueryCriteria.h"
#include "vxQueryDatasource.h"
#include "vxQuerySelectList.h"
#include "vxQueryUnionSubQuery.h"

#include <QPointer>

#include <algorithm>
#include <optional>

namespace {

const char* const SortTypeNames[] = {"", "Ascending", "Descending"};
const char* const GroupByTypeNames[] = {"Expression", "GroupBy", "Having", "Where", "AggregateStar", "Aggregate"};

bool IsAggregateType(TvxQueryBuilderGroupByType Type) { return Type == gtAggregate || Type == gtAggregateStar; }

// An expression may stand in the select list, ORDER BY, GROUP BY, under an alias or as an
// aggregate's argument when it is a value, or when the dialect takes conditions as values too.
// A comparison is a condition here although the syntax tree does not class it as logical:
// "SELECT 1=1" does not parse.
bool IsValueExpression(const TSQLExpressionItem* Expression, const TastSyntaxProvider* Dialect) {
  if (Expression == nullptr) return false;
  return (Dialect != nullptr && Dialect->IsUniversalExpressions()) || !vx::IsCondition(Expression);
}

}  // namespace

TvxSelectItem::TvxSelectItem(TvxSelectList* SelectList)
    : TvxQueryBuilderControlOwner(SelectList), FSelectList(SelectList) {}

TvxSelectItem::~TvxSelectItem() {
  MarkDestroying();
  if (!FSelectList->IsDestroying()) FSelectList->RowDestroying(this);
  // The nodes go while the row still has its full type: freeing them frees the sub-queries of
  // their nested SELECTs, which unregister from this row.
  FCriteria.clear();
  FExpression.reset();
  FAlias.reset();
}

TastSyntaxProvider* TvxSelectItem::GetDialect() const { return FSelectList->GetDialect(); }

bool TvxSelectItem::IsFilling() const { return FSelectList->GetIsFilling(); }

void TvxSelectItem::DoSQLUpdated() {
  if (!IsDestroying()) TvxQueryBuilderControlOwner::DoSQLUpdated();
}

// --- loading and building ----------------------------------------------------------------------

void TvxSelectItem::LoadFromAST(std::unique_ptr<TastNode> Node) {
  std::unique_ptr<TastNode> Expression;
  if (auto* Item = dynamic_cast<TSQLSelectItemExpression*>(Node.get())) {
    Expression = Item->ExtractExpression();
    FAlias = Item->ExtractAlias();
    FSelect = true;
  } else if (dynamic_cast<TSQLSelectItem*>(Node.get()) != nullptr) {
    Expression = std::move(Node);
    FAlias.reset();
    FSelect = true;
  } else {
    Expression = std::move(Node);
  }
  FExpression = std::move(Expression);
  if (FExpression) FExpression->SetModelObject(this);
  FGroupByType = CalcGroupByType();
  CalcColumnAndDatasource();
  LoadSubQueries(FExpression.get());
  NotifySQLUpdated();
}

std::unique_ptr<TSQLSelectItem> TvxSelectItem::GetSelectItemTree() const {
  if (!FExpression) return nullptr;
  if (auto* Item = dynamic_cast<const TSQLSelectItem*>(FExpression.get())) return CloneNode(*Item);
  auto* Expression = dynamic_cast<const TSQLExpressionItem*>(FExpression.get());
  if (Expression == nullptr) return nullptr;
  auto Tree = NewNode<TSQLSelectItemExpression>(Expression->GetSyntaxProvider());
  Tree->SetExpression(Expression->Clone());
  if (FAlias) Tree->SetAlias(CloneNode(*FAlias));
  return Tree;
}

std::unique_ptr<TSQLOrderByItem> TvxSelectItem::GetOrderByItem(TvxSortKeyForm Form) const {
  const TSQLExpressionItem* Expression = ExpressionOnly();
  if (Expression == nullptr) return nullptr;
  TastSyntaxProvider* Dialect = Expression->GetSyntaxProvider();
  auto Item =
      NewNode<TSQLOrderByItem>(Dialect, FSortType == stDesc ? TSQLOrderByOrders::obDesc : TSQLOrderByOrders::obAsc);
  std::string Name;
  if (Form == TvxSortKeyForm::skResultName) {
    const auto* Reference = dynamic_cast<const TSQLExpressionColumn*>(Expression);
    // A string-literal alias ('Total') would be a constant as a sort key.
    if (FSelect && FAlias && !FAlias->GetAlias().starts_with('\''))
      Name = FAlias->GetAlias();
    else if (Reference != nullptr && Reference->GetColumn() != nullptr)
      Name = Reference->GetColumn()->GetObjName();
  }
  if (Name.empty()) {
    Item->SetExpression(Expression->Clone());
    return Item;
  }
  auto Column = NewNode<TSQLObjectColumn>(Dialect);
  Column->AddName(std::move(Name));
  Item->SetExpression(NewNode<TSQLExpressionColumn>(Dialect, std::move(Column)));
  return Item;
}

void TvxSelectItem::GetASTChildren(TastChildren& List) const {
  if (FExpression) List.push_back(FExpression.get());
  if (FAlias) List.push_back(FAlias.get());
  for (const auto& Condition : FCriteria)
    if (Condition) List.push_back(Condition.get());
}

// --- the expression ----------------------------------------------------------------------------

bool TvxSelectItem::IsExpressionOnly() const { return ExpressionOnly() != nullptr; }

TSQLExpressionItem* TvxSelectItem::ExpressionOnly() const {
  return dynamic_cast<TSQLExpressionItem*>(FExpression.get());
}

bool TvxSelectItem::IsEqualExpression(const TSQLExpressionItem& Expression) const {
  const TSQLExpressionItem* Own = ExpressionOnly();
  return Own != nullptr && IsExpressionsEqual(Own, &Expression);
}

std::string TvxSelectItem::GetComparisonText() const {
  const TSQLExpressionItem* Own = ExpressionOnly();
  return Own != nullptr ? ComparisonText(*Own) : std::string();
}

std::string TvxSelectItem::ComparisonText(const TSQLExpressionItem& Expression) {
  return vx::UpperCaseOutsideQuotes(Expression.GetSimpleSQL());
}

std::string TvxSelectItem::GetExpression() const {
  if (!FExpression) return std::string();
  if (auto* Aggregate = dynamic_cast<const TSQLExpressionAggregate*>(FExpression.get())) {
    const TvxQueryBuilderGroupByType Computed = CalcGroupByType();
    if (IsAggregateType(Computed) && Computed == FGroupByType) {
      if (auto* OneParam = dynamic_cast<const TSQLExpressionAggregate1Param*>(Aggregate))
        return OneParam->GetParam() != nullptr ? OneParam->GetParam()->GetSimpleSQL() : std::string();
      return "*";
    }
  }
  return FExpression->GetSimpleSQL();
}

void TvxSelectItem::FixupNode(TastNode& Node) const {
  TSQLFromSourceList Sources;
  if (TvxUnionSubQuery* Operand = GetUnionSubQuery()) Operand->GetDatasourcesBottomUp(Sources);
  Node.FixupObjects(Sources);
}

void TvxSelectItem::SetExpression(const std::string& Text) {
  if (IsFilling()) return;
  const std::string Trimmed(vx::Trim(Text));
  if (Trimmed == GetExpression()) return;
  TvxBaseSyntaxProvider* SyntaxProvider = GetSyntaxProviderComponent();
  if (SyntaxProvider == nullptr) throw EvxException("No syntax provider specified!");

  if (Trimmed.empty()) {
    Clear();
    return;
  }
  // Parsed before anything changes: text that does not parse is refused, the row stays.
  std::unique_ptr<TastNode> Parsed = ParseExpressionText(*SyntaxProvider->GetASTSyntaxProvider(), Trimmed);
  if (auto* Item = dynamic_cast<TSQLSelectItemExpression*>(Parsed.get())) Parsed = Item->ExtractExpression();
  TvxUpdateScope Update(this);
  if (Parsed) {
    Parsed->SimplifyTree();
    FixupNode(*Parsed);
  }

  // An aggregate row shows its argument, so what is typed there is the new argument (unless it
  // is a whole aggregate itself).
  auto* Aggregate = dynamic_cast<TSQLExpressionAggregate1Param*>(FExpression.get());
  auto* ParsedExpression = dynamic_cast<TSQLExpressionItem*>(Parsed.get());
  // A condition is no argument: it replaces the aggregate, and the row falls back to an expression.
  if (Aggregate != nullptr && IsValueExpression(ParsedExpression, GetDialect()) && FGroupByType == gtAggregate &&
      CalcGroupByType() == gtAggregate && dynamic_cast<TSQLExpressionAggregate*>(ParsedExpression) == nullptr) {
    Parsed.release();
    Aggregate->SetParam(std::unique_ptr<TSQLExpressionItem>(ParsedExpression));
  } else {
    const bool WasExpression = IsExpressionOnly();
    const bool WasSelectItem = dynamic_cast<TSQLSelectItem*>(FExpression.get()) != nullptr;
    const bool IsExpression = dynamic_cast<TSQLExpressionItem*>(Parsed.get()) != nullptr;
    const bool IsSelectItem = dynamic_cast<TSQLSelectItem*>(Parsed.get()) != nullptr;
    if ((WasExpression && IsSelectItem) || (WasSelectItem && IsExpression)) ClearConditions();
    std::unique_ptr<TastNode> Old = std::move(FExpression);
    FExpression = std::move(Parsed);
    if (FExpression) FExpression->SetModelObject(this);
    // A fresh row takes the role its expression implies (an aggregate goes into HAVING); a row
    // whose role was an aggregate that is gone falls back to what the new expression computes.
    const TvxQueryBuilderGroupByType Computed = CalcGroupByType();
    if ((FGroupByType == gtExpression && IsAggregateType(Computed)) ||
        (IsAggregateType(FGroupByType) && Computed != FGroupByType))
      FGroupByType = Computed;
    Old.reset();
  }
  CalcColumnAndDatasource();
  CheckItemProperties();
  if (FExpression) {
    if (TvxBaseMetadataProvider* Metadata = GetQueryBuilder()->GetMetadataProvider())
      FExpression->RefreshFieldsListRecursive(Metadata);
    LoadSubQueries(FExpression.get());
  }
  NotifySQLUpdated();
}

std::unique_ptr<TastNode> TvxSelectItem::ParseExpressionText(TastSyntaxProvider& Dialect, const std::string& Text) {
  std::optional<EvxSQLError> AsSelectItem;
  try {
    return Dialect.ParseSelectItem(Text);
  } catch (const EvxSQLError& Error) {
    AsSelectItem = Error;
  }
  try {
    return Dialect.ParseLogicalExpression(Text, true);
  } catch (const EvxSQLError& Error) {
    // The reading that got farther says best where the text goes wrong.
    throw RefusedText(Error.TokenPos > AsSelectItem->TokenPos ? Error : *AsSelectItem, Text);
  }
}

EvxSQLError TvxSelectItem::RefusedText(const EvxSQLError& Error, const std::string& Text) {
  std::string Message = Error.GetMessage();
  if (Error.TokenOffset >= Text.size())
    Message += " at end of text";
  else
    Message += " at column " + std::to_string(Error.TokenCol) + " near '" + Error.TokenText + "'";
  EvxSQLError Refusal(Message);
  Refusal.TokenPos = Error.TokenPos;
  Refusal.TokenCol = Error.TokenCol;
  Refusal.TokenLine = Error.TokenLine;
  Refusal.TokenText = Error.TokenText;
  Refusal.TokenOffset = Error.TokenOffset;
  return Refusal;
}

void TvxSelectItem::SetFieldExpression(TvxDatasource* Datasource, const std::string& Field) {
  TSQLFromSource* Source = Datasource != nullptr ? Datasource->GetNode() : nullptr;
  TastSyntaxProvider* Dialect = Source != nullptr ? Source->GetSyntaxProvider() : GetDialect();
  std::unique_ptr<TSQLSelectItem> Item;
  if (Field.empty()) {
    auto All = NewNode<TSQLSelectItemAllTableColumns>(Dialect);
    auto Object = NewNode<TSQLDatabaseObject>(Dialect);
    // The reference writes itself through the bound source; the name parts are what it was
    // picked by, for a source that cannot name itself.
    if (Source != nullptr && Source->GetAlias() != nullptr)
      Object->AddName(Source->GetAlias()->GetAlias());
    else if (auto* Table = dynamic_cast<TSQLFromObject*>(Source); Table != nullptr && Table->GetObject() != nullptr)
      for (const std::string& Part : Table->GetObject()->GetNames()) Object->AddPrefix(Part);
    Object->SetFromSource(Source);
    All->SetObject(std::move(Object));
    Item = std::move(All);
  } else {
    // Field is a name of the datasource's field list, the database's spelling.
    const TvxNameFolding Folding =
        GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetNameFolding() : TvxNameFolding::nfNone;
    auto Column = NewNode<TSQLObjectColumn>(Dialect);
    Column->AddName(Dialect != nullptr ? Dialect->QuoteName(Field, Folding) : Field);
    Column->SetFromSource(Source);
    auto Expression = NewNode<TSQLSelectItemExpression>(Dialect);
    Expression->SetExpression(NewNode<TSQLExpressionColumn>(Dialect, std::move(Column)));
    Item = std::move(Expression);
  }
  TvxUpdateScope Update(this);
  ClearConditions();
  LoadFromAST(std::move(Item));
  CheckItemProperties();
}

void TvxSelectItem::CalcColumnAndDatasource() {
  FFieldName.clear();
  FDatasourceNode = nullptr;
  if (auto* Column = dynamic_cast<const TSQLExpressionColumn*>(vx::SkipBrackets(FExpression.get()))) {
    if (Column->GetColumn() == nullptr) return;
    const TastSyntaxProvider* Dialect = Column->GetColumn()->GetSyntaxProvider();
    const std::string_view Name = Column->GetColumn()->GetObjName();
    FFieldName = vx::UpperCase(Dialect != nullptr ? Dialect->UnquoteName(Name) : std::string(Name));
    FDatasourceNode = Column->GetColumn()->GetFromSource();
  } else if (auto* All = dynamic_cast<const TSQLSelectItemAllTableColumns*>(FExpression.get())) {
    if (All->GetObject() != nullptr) FDatasourceNode = All->GetObject()->GetFromSource();
  }
}

// --- alias -------------------------------------------------------------------------------------

std::string TvxSelectItem::GetAlias() const {
  if (!FAlias) return std::string();
  const TastSyntaxProvider* Dialect = FAlias->GetSyntaxProvider();
  return Dialect != nullptr ? Dialect->UnquoteName(FAlias->GetAlias()) : std::string(FAlias->GetAlias());
}

void TvxSelectItem::SetAlias(const std::string& Text) {
  if (IsFilling()) return;
  const std::string Trimmed(vx::Trim(Text));
  if (Trimmed == GetAlias()) return;
  if (!IsSupportsAlias() || Trimmed.empty()) {
    FAlias.reset();
  } else {
    if (!FAlias) FAlias = NewNode<TSQLAliasObjectAsAlias>(GetDialect());
    const TastSyntaxProvider* Dialect = FAlias->GetSyntaxProvider();
    FAlias->SetAlias(Dialect != nullptr ? Dialect->QuoteName(Trimmed) : Trimmed);
  }
  NotifySQLUpdated();
}

// --- output ------------------------------------------------------------------------------------

void TvxSelectItem::SetSelect(bool Value) {
  if (Value == FSelect) return;
  if (Value && !IsCanSelect()) throw EvxException("Can't select this expression");
  FSelect = Value;
  NotifySQLUpdated();
}

bool TvxSelectItem::IsCanSelect() const {
  if (dynamic_cast<const TSQLSelectItem*>(FExpression.get()) != nullptr) return true;
  return IsValueExpression(ExpressionOnly(), GetDialect());
}

bool TvxSelectItem::IsCanSort() const { return IsValueExpression(ExpressionOnly(), GetDialect()); }

bool TvxSelectItem::IsSupportsAlias() const { return IsValueExpression(ExpressionOnly(), GetDialect()); }

void TvxSelectItem::CheckItemProperties() {
  if (!IsSupportsAlias()) FAlias.reset();
  if (!IsCanSelect()) FSelect = false;
  // GROUP BY reads no condition: a grouped row typed as one is grouped no more.
  if (FGroupByType == gtGroupBy && ExpressionOnly() != nullptr && !IsValueExpression(ExpressionOnly(), GetDialect()))
    FGroupByType = gtExpression;
  if (!IsCanSort() && FSortType != stNone) {
    FSortType = stNone;
    FSelectList->RemoveFromSortOrder(this);
  }
  if (!IsExpressionOnly()) {
    ClearConditions();
    return;
  }
  // A new expression may not go with the old criteria (a condition compared with 5).
  for (std::unique_ptr<TSQLExpressionItem>& Cell : FCriteria)
    if (Cell && !IsConditionAllowed(*Cell)) Cell.reset();
  ShrinkConditionsList();
}

// --- sorting -----------------------------------------------------------------------------------

void TvxSelectItem::SetSortType(TvxQueryBuilderItemSortType Value) {
  // A row that cannot be sorted (an empty one, t.*, a condition) has no ORDER BY key to write.
  if (Value == FSortType || (Value != stNone && !IsCanSort())) return;
  FSortType = Value;
  if (Value == stNone)
    FSelectList->RemoveFromSortOrder(this);
  else
    FSelectList->AddToSortOrder(this);
  NotifySQLUpdated();
}

std::string TvxSelectItem::GetSortTypeName() const { return SortTypeNames[FSortType]; }

void TvxSelectItem::SetSortTypeName(const std::string& Text) {
  if (IsFilling()) return;
  const std::string Key = vx::UpperCase(vx::Trim(Text));
  if (Key.empty()) {
    SetSortType(stNone);
    return;
  }
  for (TvxQueryBuilderItemSortType Type : {stAsc, stDesc})
    if (vx::UpperCase(SortTypeNames[Type]).starts_with(Key)) {
      SetSortType(Type);
      return;
    }
}

int TvxSelectItem::GetSortOrder() const { return FSelectList->SortOrderIndexOf(this); }

void TvxSelectItem::SetSortOrder(int Index) {
  if (GetSortOrder() >= 0) FSelectList->MoveInSortOrder(this, Index);
}

std::string TvxSelectItem::GetSortOrderName() const {
  const int Order = GetSortOrder();
  return Order >= 0 ? std::to_string(Order + 1) : std::string();
}

void TvxSelectItem::SetSortOrderName(const std::string& Text) {
  if (IsFilling()) return;
  const std::string Trimmed(vx::Trim(Text));
  if (Trimmed.empty()) {
    SetSortType(stNone);
    return;
  }
  TvxUpdateScope Update(this);
  if (FSortType == stNone) SetSortType(stAsc);
  if (FSortType == stNone) return;
  long long Position = 0;
  if (!vx::TryStrToInt(Trimmed, Position) || Position == GetSortOrder() + 1) return;
  Position = std::min<long long>(Position, FSelectList->GetSortOrderCount());
  SetSortOrder(static_cast<int>(std::max<long long>(Position - 1, 0)));
  NotifySQLUpdated();
}

// --- grouping ----------------------------------------------------------------------------------

TvxQueryBuilderGroupByType TvxSelectItem::CalcGroupByType() const {
  TvxBaseSyntaxProvider* SyntaxProvider = GetSyntaxProviderComponent();
  auto* Aggregate = dynamic_cast<const TSQLExpressionAggregate*>(FExpression.get());
  if (SyntaxProvider == nullptr || Aggregate == nullptr) return gtExpression;
  const std::string& Name = Aggregate->GetName();
  if (dynamic_cast<const TSQLExpressionAggregate1ParamWPrefix*>(Aggregate) != nullptr &&
      SyntaxProvider->IsNameOfPrefixedAggregate(Name))
    return gtAggregate;
  if (dynamic_cast<const TSQLExpressionAggregate1Param*>(Aggregate) != nullptr &&
      SyntaxProvider->IsNameOfAggregate(Name))
    return gtAggregate;
  if (SyntaxProvider->IsNameOfStarAggregate(Name)) return gtAggregateStar;
  return gtExpression;
}

std::string TvxSelectItem::GetGroupByTypeName() const {
  auto* Aggregate = dynamic_cast<const TSQLExpressionAggregate*>(FExpression.get());
  if (!IsAggregateType(FGroupByType) || Aggregate == nullptr) return GroupByTypeNames[FGroupByType];
  std::string Name = Aggregate->GetName();
  if (TvxBaseSyntaxProvider* SyntaxProvider = GetSyntaxProviderComponent()) {
    TvxStringList Names;
    for (auto Getter : {&TvxBaseSyntaxProvider::GetStarAggregateNames, &TvxBaseSyntaxProvider::Get1ParamAggregateNames,
                        &TvxBaseSyntaxProvider::GetPrefixed1ParamAggregateNames}) {
      (SyntaxProvider->*Getter)(Names);
      if (const int Index = Names.IndexOf(Name); Index >= 0) {
        Name = Names[Index];
        break;
      }
    }
  }
  auto* Prefixed = dynamic_cast<const TSQLExpressionAggregate1ParamWPrefix*>(Aggregate);
  if (Prefixed != nullptr && Prefixed->GetPrefix() == TSQLAggregateParamPrefixes::ppDistinct) Name += " Distinct";
  return Name;
}

void TvxSelectItem::SetGroupByTypeName(const std::string& Text) {
  if (IsFilling() || !FExpression) return;
  std::string Name = vx::UpperCase(vx::Trim(Text));
  if (Name == vx::UpperCase(GetGroupByTypeName())) return;
  TvxBaseSyntaxProvider* SyntaxProvider = GetSyntaxProviderComponent();

  TvxQueryBuilderGroupByType NewType;
  bool Distinct = false;
  if (Name == "EXPRESSION") {
    NewType = gtExpression;
  } else if (Name == "GROUP BY" || Name == "GROUPBY") {
    NewType = gtGroupBy;
  } else if (Name == "HAVING") {
    NewType = gtHaving;
  } else if (Name == "WHERE") {
    NewType = gtWhere;
  } else {
    if (SyntaxProvider == nullptr) return;
    const bool HoldsSelectItem = dynamic_cast<const TSQLSelectItem*>(FExpression.get()) != nullptr;
    constexpr std::string_view DistinctWord = " DISTINCT";
    Distinct = Name.ends_with(DistinctWord);
    if (SyntaxProvider->IsNameOfStarAggregate(Name) && (HoldsSelectItem || FGroupByType == gtAggregateStar)) {
      NewType = gtAggregateStar;
    } else {
      if (Distinct) Name = std::string(vx::Trim(Name.substr(0, Name.size() - DistinctWord.size())));
      if (!Distinct && !SyntaxProvider->IsNameOfAggregate(Name) && !SyntaxProvider->IsNameOfPrefixedAggregate(Name))
        return;
      // A select item or a star aggregate has no value to aggregate.
      if (HoldsSelectItem || FGroupByType == gtAggregateStar) return;
      NewType = gtAggregate;
    }
    Name = SyntaxProvider->AggregateNormalize(Name);
  }
  // The grammar reads a condition neither in GROUP BY nor as an aggregate's argument.
  if ((NewType == gtGroupBy || NewType == gtAggregate) && ExpressionOnly() != nullptr &&
      !IsValueExpression(ExpressionOnly(), GetDialect()))
    throw EvxException("Can't group by or aggregate a condition");
  ChangeGroupByType(NewType, Name, Distinct);
  CalcColumnAndDatasource();
  CheckItemProperties();
  NotifySQLUpdated();
}

void TvxSelectItem::ChangeGroupByType(TvxQueryBuilderGroupByType NewType, const std::string& AggregateName,
                                      bool Distinct) {
  const TvxQueryBuilderGroupByType OldType = FGroupByType;
  TastSyntaxProvider* Dialect = FExpression->GetSyntaxProvider();
  auto SetExpressionNode = [this](std::unique_ptr<TastNode> Node) {
    FExpression = std::move(Node);
    FExpression->SetModelObject(this);
  };

  if (OldType == gtAggregateStar && NewType != gtAggregateStar) {
    SetExpressionNode(NewNode<TSQLSelectItemAllColumns>(Dialect));
  } else if (NewType == gtAggregateStar && OldType == gtAggregateStar) {
    if (auto* Aggregate = dynamic_cast<TSQLExpressionAggregate*>(FExpression.get())) Aggregate->SetName(AggregateName);
  } else if (NewType == gtAggregateStar) {
    SetExpressionNode(NewNode<TSQLExpressionAggregate>(Dialect, AggregateName));
  } else if (NewType == gtAggregate && OldType != gtAggregate) {
    auto Argument = vx::CastNode<TSQLExpressionItem>(std::move(FExpression));
    std::unique_ptr<TSQLExpressionAggregate1Param> Wrapper;
    if (!Distinct && GetSyntaxProviderComponent()->IsNameOfAggregate(AggregateName)) {
      Wrapper = NewNode<TSQLExpressionAggregate1Param>(Dialect, AggregateName, std::move(Argument));
    } else {
      auto Prefixed = NewNode<TSQLExpressionAggregate1ParamWPrefix>(Dialect, AggregateName, std::move(Argument));
      Prefixed->SetPrefix(Distinct ? TSQLAggregateParamPrefixes::ppDistinct : TSQLAggregateParamPrefixes::ppAll);
      Wrapper = std::move(Prefixed);
    }
    SetExpressionNode(std::move(Wrapper));
  } else if (OldType == gtAggregate && NewType != gtAggregate) {
    if (auto* Wrapper = dynamic_cast<TSQLExpressionAggregate1Param*>(FExpression.get()))
      if (std::unique_ptr<TSQLExpressionItem> Argument = Wrapper->ExtractParam())
        SetExpressionNode(std::move(Argument));
  } else if (NewType == gtAggregate) {
    auto* Wrapper = dynamic_cast<TSQLExpressionAggregate1Param*>(FExpression.get());
    if (Wrapper != nullptr) {
      auto* Prefixed = dynamic_cast<TSQLExpressionAggregate1ParamWPrefix*>(Wrapper);
      const bool WantsPrefix = Distinct || GetSyntaxProviderComponent()->IsNameOfPrefixedAggregate(AggregateName);
      if (Prefixed != nullptr && !WantsPrefix) {
        SetExpressionNode(NewNode<TSQLExpressionAggregate1Param>(Dialect, AggregateName, Wrapper->ExtractParam()));
      } else if (Prefixed == nullptr && WantsPrefix) {
        SetExpressionNode(
            NewNode<TSQLExpressionAggregate1ParamWPrefix>(Dialect, AggregateName, Wrapper->ExtractParam()));
      }
      auto* Aggregate = static_cast<TSQLExpressionAggregate1Param*>(FExpression.get());
      Aggregate->SetName(AggregateName);
      if (auto* NewPrefixed = dynamic_cast<TSQLExpressionAggregate1ParamWPrefix*>(Aggregate))
        NewPrefixed->SetPrefix(Distinct ? TSQLAggregateParamPrefixes::ppDistinct : TSQLAggregateParamPrefixes::ppAll);
    }
  }
  FGroupByType = NewType;
}

void TvxSelectItem::GetGroupByNames(TvxStringList& Strings) const {
  Strings.Clear();
  if (!FExpression) return;
  TvxBaseSyntaxProvider* Provider = GetSyntaxProviderComponent();
  TvxStringList StarNames;
  if (Provider != nullptr) Provider->GetStarAggregateNames(StarNames);
  auto AddSorted = [&Strings](TvxStringList Names) {
    std::vector<std::string> Sorted = Names.Items();
    std::sort(Sorted.begin(), Sorted.end(),
              [](const std::string& A, const std::string& B) { return vx::UpperCase(A) < vx::UpperCase(B); });
    for (std::string& Name : Sorted) Strings.Add(std::move(Name));
  };

  if (FGroupByType == gtAggregateStar) {
    Strings.Add("Expression");
    for (const std::string& Name : StarNames) Strings.Add(Name);
  } else if (dynamic_cast<const TSQLSelectItem*>(FExpression.get()) != nullptr) {
    Strings.Add("Expression");
    AddSorted(StarNames);
  } else if (ExpressionOnly() != nullptr && !IsValueExpression(ExpressionOnly(), GetDialect())) {
    for (const char* Name : {"Expression", "Where", "Having"}) Strings.Add(Name);
  } else {
    for (const char* Name : {"Expression", "Where", "Group By", "Having"}) Strings.Add(Name);
    TvxStringList OneParam, Prefixed;
    if (Provider != nullptr) {
      Provider->Get1ParamAggregateNames(OneParam);
      Provider->GetPrefixed1ParamAggregateNames(Prefixed);
    }
    TvxStringList Aggregates = OneParam;
    for (const std::string& Name : Prefixed)
      if (!Aggregates.Contains(Name)) Aggregates.Add(Name);
    TvxStringList Sorted;
    std::swap(Strings, Sorted);
    AddSorted(Aggregates);
    std::swap(Strings, Sorted);
    for (const std::string& Name : Sorted) {
      Strings.Add(Name);
      if (Prefixed.Contains(Name)) Strings.Add(Name + " Distinct");
    }
  }
}

TvxBaseSyntaxProvider* TvxSelectItem::GetSyntaxProviderComponent() const {
  return GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetSyntaxProvider() : nullptr;
}

// --- the row as a whole ------------------------------------------------------------------------

void TvxSelectItem::Clear() {
  TvxUpdateScope Update(this);
  ClearConditions();
  FExpression.reset();
  FAlias.reset();
  FSelect = false;
  SetSortType(stNone);
  FGroupByType = gtExpression;
  CalcColumnAndDatasource();
  NotifySQLUpdated();
}

void TvxSelectItem::ItemChanged() {
  FSelectList->Update(this);
  NotifySQLUpdated();
}

QMenu* TvxSelectItem::GetPopupMenu() {
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  const int Index = FSelectList->IndexOf(this);
  if (QueryBuilder == nullptr || Index < 0 || Index == FSelectList->GetCount() - 1) return nullptr;
  QueryBuilder->PopupMenuClear();
  QPointer<TvxSelectItem> Self(this);
  QueryBuilder->PopupMenuAddItem(
      nullptr, QStringLiteral("Remove Row"),
      [Self](QObject* Sender) {
        if (Self) Self->RemoveEvent(Sender);
      },
      false, false, true, nullptr);
  QueryBuilder->PopupMenuAddItem(
      nullptr, QStringLiteral("Insert Empty Row"),
      [Self](QObject* Sender) {
        if (Self) Self->InsertEmptyEvent(Sender);
      },
      false, false, true, nullptr);
  QueryBuilder->PopupMenuCompleted();
  return QueryBuilder->GetPopupMenu();
}

void TvxSelectItem::InsertEmptyEvent(QObject*) {
  const int Index = FSelectList->IndexOf(this);
  if (Index >= 0) FSelectList->InsertEmptyRow(Index);
}
