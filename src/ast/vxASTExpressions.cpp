#include "vxASTExpressions.h"

#include "vxASTCriteria.h"
#include "vxASTNodeHelpers.h"
#include "vxASTSelect.h"
#include "vxSQLBuilder.h"

using vx::ast::AppendChild;
using vx::ast::RefersTo;

VX_CLASS_IMPL(TSQLExpressionItem, TastNode)
VX_CLASS_IMPL(TSQLExpressionConstant, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionVariable, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionColumn, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionParameterlessFunction, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionSelect, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionExpressionItem, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionOperation, TSQLExpressionExpressionItem)
VX_CLASS_IMPL(TSQLExpressionCast, TSQLExpressionOperation)
VX_CLASS_IMPL(TSQLOperator, TastNode)
VX_CLASS_IMPL(TSQLExpressionOperator, TSQLExpressionOperation)
VX_CLASS_IMPL(TSQLExpressionOperatorPrefix, TSQLExpressionOperator)
VX_CLASS_IMPL(TSQLExpressionOperatorPostfix, TSQLExpressionOperator)
VX_CLASS_IMPL(TSQLExpressionOperatorBinary, TSQLExpressionOperator)
VX_CLASS_IMPL(TSQLExpressionBrackets, TSQLExpressionExpressionItem)
VX_CLASS_IMPL(TSQLExpressionFieldSelection, TSQLExpressionExpressionItem)
VX_CLASS_IMPL(TSQLExpressionItemsList, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionsList, TastNodeWithList)

std::unique_ptr<TSQLExpressionItem> FindExpressionItem(std::unique_ptr<TSQLExpressionItem> Condition,
                                                       TSQLExpressionItem*& Item) {
  Item = nullptr;
  if (!Condition) return nullptr;
  TSQLExpressionItem* Node = Condition.get();
  return Node->FindExpressionItemInternal(std::move(Condition), Item);
}

// --- TSQLExpressionItem -----------------------------------------------------------------------

bool TSQLExpressionItem::ContainsOnlyItemsWithFromSource(const TSQLFromSource*) const { return false; }
void TSQLExpressionItem::RemoveLExpression(const TSQLExpressionItem*) {}
void TSQLExpressionItem::RestoreLExpression(const TSQLExpressionItem*) {}
bool TSQLExpressionItem::IsLogical() const { return false; }

std::unique_ptr<TSQLExpressionItem> TSQLExpressionItem::Clone() const {
  std::unique_ptr<TastNode> Copy = TastNode::Clone();
  auto* Typed = dynamic_cast<TSQLExpressionItem*>(Copy.get());
  if (Typed == nullptr) throw EvxConvertError(Copy->ClassName(), StaticClass().Name);
  Copy.release();
  return std::unique_ptr<TSQLExpressionItem>(Typed);
}

// A condition without a left operand of its own (a boolean column, EXISTS) still splits into
// an expression and a criterion when it is read as "condition=True".
std::unique_ptr<TSQLExpressionItem> TSQLExpressionItem::FindExpressionItemInternal(
    std::unique_ptr<TSQLExpressionItem> Self, TSQLExpressionItem*& Item) {
  Item = Self.get();
  TastSyntaxProvider* Provider = FSyntaxProvider;
  return NewNode<TSQLExpressionOperatorBinary>(Provider, std::move(Self), "=",
                                               NewNode<TSQLExpressionConstant>(Provider, TvxVariant(true)));
}

// --- leaves -----------------------------------------------------------------------------------

void TSQLExpressionConstant::BuildSQLDirect(TSQLBuilder& Builder, bool) const {
  Builder.WriteNumber(FValue.ToString());
}

void TSQLExpressionConstant::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Constant = dynamic_cast<const TSQLExpressionConstant*>(&Source)) FValue = Constant->FValue;
}

void TSQLExpressionVariable::BuildSQLDirect(TSQLBuilder& Builder, bool) const { Builder.WriteNumber(FName); }

void TSQLExpressionVariable::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Variable = dynamic_cast<const TSQLExpressionVariable*>(&Source)) FName = Variable->FName;
}

bool TSQLExpressionColumn::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return FColumn && FColumn->GetFromSource() != nullptr && FColumn->GetFromSource() == FromSource;
}

void TSQLExpressionColumn::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  if (FColumn) FColumn->BuildSQL(Builder, MultiLine);
}

void TSQLExpressionColumn::GetMyChildren(TastChildren& List) const {
  TSQLExpressionItem::GetMyChildren(List);
  AppendChild(List, FColumn);
}

void TSQLExpressionColumn::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Column = dynamic_cast<const TSQLExpressionColumn*>(&Source))
    if (Column->FColumn) FColumn = CloneChild(Column->FColumn);
}

// Words such as CURRENT_DATE are reserved, yet must stay bare: only names that are no plain
// identifier get quotes.
void TSQLExpressionParameterlessFunction::BuildSQLDirect(TSQLBuilder& Builder, bool) const {
  Builder.WriteIdentifier(FName, TSQLBuilder::IsPlainIdentifier(FName) ? nullptr : FSyntaxProvider);
}

void TSQLExpressionParameterlessFunction::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Function = dynamic_cast<const TSQLExpressionParameterlessFunction*>(&Source)) FName = Function->FName;
}

// --- sub-selects ------------------------------------------------------------------------------

TSQLSubSelectHolder::TSQLSubSelectHolder() = default;
TSQLSubSelectHolder::~TSQLSubSelectHolder() = default;

void TSQLSubSelectHolder::SetSubSelect(std::unique_ptr<TSQLSubSelectStatement> SubSelect) {
  FSubSelect = std::move(SubSelect);
}

std::unique_ptr<TSQLSubSelectStatement> TSQLSubSelectHolder::ExtractSubSelect() { return std::move(FSubSelect); }

void TSQLSubSelectHolder::AppendSubSelect(TastChildren& List) const { AppendChild(List, FSubSelect); }

void TSQLSubSelectHolder::MoveSubSelectInProxy(TastSyntaxProvider* SyntaxProvider, TvxObject* Owner,
                                               TSQLSubSelectStatementProxyClass ProxyClass, bool OnlyWhenSet) {
  if (ProxyClass == nullptr || (OnlyWhenSet && !FSubSelect)) return;
  FSubSelect = ProxyClass(SyntaxProvider, Owner, std::move(FSubSelect));
}

void TSQLSubSelectHolder::BuildSubSelect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.WriteSymbol("(");
  if (FSubSelect) FSubSelect->BuildSQL(Builder, MultiLine);
  Builder.WriteSymbol(")");
}

TSQLExpressionSelect::TSQLExpressionSelect(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}

TSQLExpressionSelect::TSQLExpressionSelect(TastSyntaxProvider* SyntaxProvider,
                                           std::unique_ptr<TSQLSubSelectStatement> SubSelect)
    : TSQLExpressionItem(SyntaxProvider) {
  FSubSelect = std::move(SubSelect);
}

TSQLExpressionSelect::~TSQLExpressionSelect() = default;

void TSQLExpressionSelect::MoveSubQueryInProxyInternal(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass) {
  MoveSubSelectInProxy(FSyntaxProvider, Owner, ProxyClass, false);
}

// A scalar sub-query is a value: it stays on one line inside multi-line text.
void TSQLExpressionSelect::BuildSQLDirect(TSQLBuilder& Builder, bool) const { BuildSubSelect(Builder, false); }

void TSQLExpressionSelect::GetMyChildren(TastChildren& List) const {
  TSQLExpressionItem::GetMyChildren(List);
  AppendSubSelect(List);
}

void TSQLExpressionSelect::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Select = dynamic_cast<const TSQLExpressionSelect*>(&Source))
    if (Select->FSubSelect) FSubSelect = CloneChild(Select->FSubSelect);
}

// --- operand holders --------------------------------------------------------------------------

bool TSQLExpressionExpressionItem::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return RefersTo(FExpression.get(), FromSource);
}

void TSQLExpressionExpressionItem::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  if (FExpression) FExpression->BuildSQL(Builder, MultiLine);
}

void TSQLExpressionExpressionItem::GetMyChildren(TastChildren& List) const {
  TSQLExpressionItem::GetMyChildren(List);
  AppendChild(List, FExpression);
}

void TSQLExpressionExpressionItem::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Item = dynamic_cast<const TSQLExpressionExpressionItem*>(&Source))
    if (Item->FExpression) FExpression = CloneChild(Item->FExpression);
}

std::unique_ptr<TSQLExpressionItem> TSQLExpressionExpressionItem::FindInOperand(
    std::unique_ptr<TSQLExpressionItem> Self, TSQLExpressionItem*& Item) {
  Item = nullptr;
  if (FExpression) FExpression = FindExpressionItem(std::move(FExpression), Item);
  return Self;
}

void TSQLExpressionExpressionItem::RemoveInOperand(const TSQLExpressionItem* Expression) {
  if (FExpression) FExpression->RemoveLExpression(Expression);
}

void TSQLExpressionExpressionItem::RestoreInOperand(const TSQLExpressionItem* Expression) {
  if (FExpression) FExpression->RestoreLExpression(Expression);
}

std::unique_ptr<TSQLExpressionItem> TSQLExpressionOperation::FindExpressionItemInternal(
    std::unique_ptr<TSQLExpressionItem> Self, TSQLExpressionItem*& Item) {
  Item = FExpression.get();
  return Self;
}

void TSQLExpressionOperation::RemoveLExpression(const TSQLExpressionItem* Expression) {
  if (FExpression && IsExpressionsEqual(FExpression.get(), Expression)) FExpression.reset();
}

void TSQLExpressionOperation::RestoreLExpression(const TSQLExpressionItem* Expression) {
  if (!FExpression && Expression != nullptr) FExpression = Expression->Clone();
}

void TSQLExpressionCast::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.WriteKeyword("Cast");
  Builder.WriteSymbol("(");
  TSQLExpressionOperation::BuildSQLDirect(Builder, MultiLine);
  Builder.Space();
  Builder.WriteKeyword("As");
  Builder.Space();
  if (FType) FType->BuildSQL(Builder, MultiLine);
  Builder.WriteSymbol(")");
}

void TSQLExpressionCast::GetMyChildren(TastChildren& List) const {
  TSQLExpressionOperation::GetMyChildren(List);
  AppendChild(List, FType);
}

void TSQLExpressionCast::Assign(const TastExtender& Source) {
  TSQLExpressionOperation::Assign(Source);
  if (const auto* Cast = dynamic_cast<const TSQLExpressionCast*>(&Source))
    if (Cast->FType) FType = CloneChild(Cast->FType);
}

// --- operators --------------------------------------------------------------------------------

void TSQLOperator::BuildSQLDirect(TSQLBuilder& Builder, bool) const { Builder.WriteSymbol(GetText()); }

void TSQLOperator::Assign(const TastExtender& Source) {
  TastNode::Assign(Source);
  if (const auto* Operator = dynamic_cast<const TSQLOperator*>(&Source)) FText = Operator->FText;
}

TSQLExpressionOperator::TSQLExpressionOperator(TastSyntaxProvider* SyntaxProvider,
                                               std::unique_ptr<TSQLExpressionItem> Left)
    : TSQLExpressionOperation(SyntaxProvider, std::move(Left)) {}

TSQLExpressionOperator::TSQLExpressionOperator(TastSyntaxProvider* SyntaxProvider, std::string_view OperatorText)
    : TSQLExpressionOperation(SyntaxProvider), FOperator(NewNode<TSQLOperator>(SyntaxProvider, OperatorText)) {}

TSQLExpressionOperator::TSQLExpressionOperator(TastSyntaxProvider* SyntaxProvider,
                                               std::unique_ptr<TSQLExpressionItem> Left, std::string_view OperatorText)
    : TSQLExpressionOperation(SyntaxProvider, std::move(Left)),
      FOperator(NewNode<TSQLOperator>(SyntaxProvider, OperatorText)) {}

TSQLExpressionOperator::TSQLExpressionOperator(TastSyntaxProvider* SyntaxProvider,
                                               std::unique_ptr<TSQLExpressionItem> Left,
                                               std::unique_ptr<TSQLOperator> Operator)
    : TSQLExpressionOperation(SyntaxProvider, std::move(Left)), FOperator(std::move(Operator)) {}

std::string_view TSQLExpressionOperator::GetOperatorText() const {
  return FOperator ? FOperator->GetText() : std::string_view();
}

void TSQLExpressionOperator::BuildOperator(TSQLBuilder& Builder, bool MultiLine) const {
  if (FOperator) FOperator->BuildSQL(Builder, MultiLine);
}

void TSQLExpressionOperator::GetMyChildren(TastChildren& List) const {
  TSQLExpressionOperation::GetMyChildren(List);
  AppendChild(List, FOperator);
}

void TSQLExpressionOperator::Assign(const TastExtender& Source) {
  TSQLExpressionOperation::Assign(Source);
  if (const auto* Operator = dynamic_cast<const TSQLExpressionOperator*>(&Source))
    if (Operator->FOperator) FOperator = CloneChild(Operator->FOperator);
}

void TSQLExpressionOperatorPrefix::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  if (FOperator) {
    Builder.Space();
    BuildOperator(Builder, MultiLine);
  }
  TSQLExpressionOperator::BuildSQLDirect(Builder, MultiLine);
}

void TSQLExpressionOperatorPostfix::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionOperator::BuildSQLDirect(Builder, MultiLine);
  BuildOperator(Builder, MultiLine);
}

bool TSQLExpressionOperatorBinary::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return TSQLExpressionOperator::ContainsOnlyItemsWithFromSource(FromSource) &&
         (!FRight || FRight->ContainsOnlyItemsWithFromSource(FromSource));
}

void TSQLExpressionOperatorBinary::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionOperator::BuildSQLDirect(Builder, MultiLine);
  BuildOperator(Builder, MultiLine);
  if (FRight) FRight->BuildSQL(Builder, MultiLine);
}

void TSQLExpressionOperatorBinary::GetMyChildren(TastChildren& List) const {
  TSQLExpressionOperator::GetMyChildren(List);
  AppendChild(List, FRight);
}

void TSQLExpressionOperatorBinary::Assign(const TastExtender& Source) {
  TSQLExpressionOperator::Assign(Source);
  if (const auto* Binary = dynamic_cast<const TSQLExpressionOperatorBinary*>(&Source))
    if (Binary->FRight) FRight = CloneChild(Binary->FRight);
}

// --- brackets and field selection -------------------------------------------------------------

void TSQLExpressionBrackets::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.WriteSymbol("(");
  TSQLExpressionExpressionItem::BuildSQLDirect(Builder, MultiLine);
  Builder.WriteSymbol(")");
}

void TSQLExpressionFieldSelection::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionExpressionItem::BuildSQLDirect(Builder, MultiLine);
  Builder.WriteSymbol(".");
  Builder.WriteIdentifier(FFieldName, FSyntaxProvider);
}

void TSQLExpressionFieldSelection::Assign(const TastExtender& Source) {
  TSQLExpressionExpressionItem::Assign(Source);
  if (const auto* Selection = dynamic_cast<const TSQLExpressionFieldSelection*>(&Source))
    FFieldName = Selection->FFieldName;
}

// --- TSQLExpressionItemsList ------------------------------------------------------------------

void TSQLExpressionItemsList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EvxListError::IndexOutOfBounds(Index);
}

int TSQLExpressionItemsList::Add(std::unique_ptr<TSQLExpressionItem> Item) {
  return vx::ast::AppendOwned(FItems, std::move(Item));
}

std::vector<std::unique_ptr<TSQLExpressionItem>> TSQLExpressionItemsList::ExtractAll() {
  return vx::ast::TakeAll(FItems);
}

void TSQLExpressionItemsList::AddAll(std::vector<std::unique_ptr<TSQLExpressionItem>> Items) {
  FItems.reserve(FItems.size() + Items.size());
  for (std::unique_ptr<TSQLExpressionItem>& Item : Items) FItems.push_back(std::move(Item));
}

void TSQLExpressionItemsList::Insert(int Index, std::unique_ptr<TSQLExpressionItem> Item) {
  if (Index < 0 || Index > GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  FItems.insert(FItems.begin() + Index, std::move(Item));
}

void TSQLExpressionItemsList::Delete(int Index) {
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
}

std::unique_ptr<TSQLExpressionItem> TSQLExpressionItemsList::Extract(int Index) {
  CheckIndex(Index);
  std::unique_ptr<TSQLExpressionItem> Item = std::move(FItems[static_cast<size_t>(Index)]);
  FItems.erase(FItems.begin() + Index);
  return Item;
}

std::unique_ptr<TSQLExpressionItem> TSQLExpressionItemsList::Extract(const TSQLExpressionItem* Item) {
  int Index = Item != nullptr ? IndexOf(Item) : -1;
  return Index >= 0 ? Extract(Index) : nullptr;
}

TSQLExpressionItem* TSQLExpressionItemsList::GetItem(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].get();
}

void TSQLExpressionItemsList::SetItem(int Index, std::unique_ptr<TSQLExpressionItem> Item) {
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)] = std::move(Item);
}

int TSQLExpressionItemsList::IndexOf(const TSQLExpressionItem* Item) const {
  for (int I = 0; I < GetCount(); ++I)
    if (FItems[static_cast<size_t>(I)].get() == Item) return I;
  return -1;
}

bool TSQLExpressionItemsList::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  bool Any = false;
  for (const auto& Item : FItems) {
    if (!Item) continue;
    if (!Item->ContainsOnlyItemsWithFromSource(FromSource)) return false;
    Any = true;
  }
  return Any;
}

void TSQLExpressionItemsList::RemoveReferencesToFromSource(const TSQLFromSource* FromSource) {
  for (int I = GetCount() - 1; I >= 0; --I) {
    auto& Item = FItems[static_cast<size_t>(I)];
    if (!Item || !Item->ContainsOnlyItemsWithFromSource(FromSource)) continue;
    if (FKeepEmptyItems)
      Item.reset();
    else
      FItems.erase(FItems.begin() + I);
  }
  TSQLExpressionItem::RemoveReferencesToFromSource(FromSource);
}

void TSQLExpressionItemsList::GetMyChildren(TastChildren& List) const {
  TSQLExpressionItem::GetMyChildren(List);
  for (const auto& Item : FItems) AppendChild(List, Item);
}

void TSQLExpressionItemsList::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* List = dynamic_cast<const TSQLExpressionItemsList*>(&Source)) {
    FKeepEmptyItems = List->FKeepEmptyItems;
    FItems = CloneChildren(List->FItems);
  }
}

// --- TSQLExpressionsList ----------------------------------------------------------------------

TSQLExpressionItem* TSQLExpressionsList::GetItem(int Index) const {
  return dynamic_cast<TSQLExpressionItem*>(TastNodeWithList::GetItem(Index));
}

std::unique_ptr<TSQLExpressionItem> TSQLExpressionsList::ExtractItem(int Index) {
  if (GetItem(Index) == nullptr) return nullptr;  // not an expression: it stays in the list
  std::unique_ptr<TastNode> Node = TastNodeWithList::Extract(Index);
  return std::unique_ptr<TSQLExpressionItem>(static_cast<TSQLExpressionItem*>(Node.release()));
}

bool TSQLExpressionsList::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  if (GetCount() == 0) return false;
  for (int I = 0; I < GetCount(); ++I)
    if (!RefersTo(GetItem(I), FromSource)) return false;
  return true;
}

void TSQLExpressionsList::RemoveReferencesToFromSource(const TSQLFromSource* FromSource) {
  for (int I = GetCount() - 1; I >= 0; --I)
    if (RefersTo(GetItem(I), FromSource)) Delete(I);
  TastNodeWithList::RemoveReferencesToFromSource(FromSource);
}
