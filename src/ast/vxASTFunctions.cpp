#include "vxASTFunctions.h"

#include "vxASTNodeHelpers.h"
#include "vxSQLBuilder.h"

using vx::ast::AppendChild;
using vx::ast::RefersTo;

VX_CLASS_IMPL(TSQLFunctionParamExpression, TastNode)
VX_CLASS_IMPL(TSQLFunctionParamNamedExpression, TSQLFunctionParamExpression)
VX_CLASS_IMPL(TSQLFunctionParams, TastNodeWithList)
VX_CLASS_IMPL(TSQLFunction, TastNodeWithList)
VX_CLASS_IMPL(TSQLExpressionFunction, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionAggregate, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionAggregate1Param, TSQLExpressionAggregate)
VX_CLASS_IMPL(TSQLExpressionAggregate1ParamWPrefix, TSQLExpressionAggregate1Param)
VX_CLASS_IMPL(TSQLExpressionAggregateWParams, TSQLExpressionAggregate)
VX_CLASS_IMPL(TSQLCaseFunctionItem, TastNode)
VX_CLASS_IMPL(TSQLExpressionCaseFunction, TSQLExpressionItem)

// --- arguments --------------------------------------------------------------------------------

void TSQLFunctionParamExpression::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  if (FExpression) FExpression->BuildSQL(Builder, MultiLine);
}

void TSQLFunctionParamExpression::GetMyChildren(TastChildren& List) const {
  TastNode::GetMyChildren(List);
  AppendChild(List, FExpression);
}

void TSQLFunctionParamExpression::Assign(const TastExtender& Source) {
  TastNode::Assign(Source);
  if (const auto* Param = dynamic_cast<const TSQLFunctionParamExpression*>(&Source))
    if (Param->FExpression) FExpression = CloneChild(Param->FExpression);
}

void TSQLFunctionParamNamedExpression::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.WriteIdentifier(FName, FSyntaxProvider);
  Builder.WriteSymbol("=");
  TSQLFunctionParamExpression::BuildSQLDirect(Builder, MultiLine);
}

void TSQLFunctionParamNamedExpression::Assign(const TastExtender& Source) {
  TSQLFunctionParamExpression::Assign(Source);
  if (const auto* Param = dynamic_cast<const TSQLFunctionParamNamedExpression*>(&Source)) FName = Param->FName;
}

int TSQLFunctionParams::AddExpression(std::unique_ptr<TSQLExpressionItem> Expression) {
  return Add(NewNode<TSQLFunctionParamExpression>(FSyntaxProvider, std::move(Expression)));
}

TSQLFunctionParamExpression* TSQLFunctionParams::GetItem(int Index) const {
  return dynamic_cast<TSQLFunctionParamExpression*>(TastNodeWithList::GetItem(Index));
}

// --- calls ------------------------------------------------------------------------------------

bool TSQLFunction::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  if (!FParams) return false;
  for (int I = 0; I < FParams->GetCount(); ++I)
    if (const TSQLFunctionParamExpression* Param = FParams->GetItem(I))
      if (RefersTo(Param->GetExpression(), FromSource)) return true;
  return false;
}

void TSQLFunction::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  if (FName) FName->BuildRoutineName(Builder);
  Builder.WriteSymbol("(");
  if (FParams) FParams->BuildSQL(Builder, MultiLine);
  Builder.WriteSymbol(")");
}

void TSQLFunction::GetMyChildren(TastChildren& List) const {
  TastNodeWithList::GetMyChildren(List);
  AppendChild(List, FName);
  AppendChild(List, FParams);
}

void TSQLFunction::Assign(const TastExtender& Source) {
  TastNodeWithList::Assign(Source);
  if (const auto* Function = dynamic_cast<const TSQLFunction*>(&Source)) {
    if (Function->FName) FName = CloneChild(Function->FName);
    if (Function->FParams) FParams = CloneChild(Function->FParams);
  }
}

void TSQLFunction::FixupObjects(TSQLFromSourceList& FromSources) {
  TastChildren Children;
  GetMyChildren(Children);
  for (TastExtender* Child : Children)
    if (Child != FName.get()) Child->FixupObjects(FromSources);
}

bool TSQLExpressionFunction::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return FFunction && FFunction->ContainsOnlyItemsWithFromSource(FromSource);
}

void TSQLExpressionFunction::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  if (FFunction) FFunction->BuildSQL(Builder, MultiLine);
}

void TSQLExpressionFunction::GetMyChildren(TastChildren& List) const {
  TSQLExpressionItem::GetMyChildren(List);
  AppendChild(List, FFunction);
}

void TSQLExpressionFunction::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Function = dynamic_cast<const TSQLExpressionFunction*>(&Source))
    if (Function->FFunction) FFunction = CloneChild(Function->FFunction);
}

// --- aggregates -------------------------------------------------------------------------------

// Aggregate names (Count, Sum, ...) are reserved words that must stay bare.
void TSQLExpressionAggregate::BuildName(TSQLBuilder& Builder) const {
  Builder.WriteIdentifier(FName, TSQLBuilder::IsPlainIdentifier(FName) ? nullptr : FSyntaxProvider);
}

void TSQLExpressionAggregate::BuildSQLDirect(TSQLBuilder& Builder, bool) const {
  BuildName(Builder);
  Builder.WriteSymbol("(*)");
}

void TSQLExpressionAggregate::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Aggregate = dynamic_cast<const TSQLExpressionAggregate*>(&Source)) FName = Aggregate->FName;
}

bool TSQLExpressionAggregate1Param::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return RefersTo(FParam.get(), FromSource);
}

void TSQLExpressionAggregate1Param::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  BuildName(Builder);
  Builder.WriteSymbol("(");
  if (FParam) FParam->BuildSQL(Builder, MultiLine);
  Builder.WriteSymbol(")");
}

void TSQLExpressionAggregate1Param::GetMyChildren(TastChildren& List) const {
  TSQLExpressionAggregate::GetMyChildren(List);
  AppendChild(List, FParam);
}

void TSQLExpressionAggregate1Param::Assign(const TastExtender& Source) {
  TSQLExpressionAggregate::Assign(Source);
  if (const auto* Aggregate = dynamic_cast<const TSQLExpressionAggregate1Param*>(&Source))
    if (Aggregate->FParam) FParam = CloneChild(Aggregate->FParam);
}

void TSQLExpressionAggregate1ParamWPrefix::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  BuildName(Builder);
  Builder.WriteSymbol("(");
  if (FPrefix == TSQLAggregateParamPrefixes::ppDistinct) {
    Builder.WriteKeyword("DISTINCT");
    Builder.Space();
  }
  if (GetParam()) GetParam()->BuildSQL(Builder, MultiLine);
  Builder.WriteSymbol(")");
}

void TSQLExpressionAggregate1ParamWPrefix::Assign(const TastExtender& Source) {
  TSQLExpressionAggregate1Param::Assign(Source);
  if (const auto* Aggregate = dynamic_cast<const TSQLExpressionAggregate1ParamWPrefix*>(&Source))
    FPrefix = Aggregate->FPrefix;
}

bool TSQLExpressionAggregateWParams::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return FParams && FParams->ContainsOnlyItemsWithFromSource(FromSource);
}

void TSQLExpressionAggregateWParams::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  BuildName(Builder);
  Builder.WriteSymbol("(");
  if (FParams) FParams->BuildSQL(Builder, MultiLine);
  Builder.WriteSymbol(")");
}

void TSQLExpressionAggregateWParams::GetMyChildren(TastChildren& List) const {
  TSQLExpressionAggregate::GetMyChildren(List);
  AppendChild(List, FParams);
}

void TSQLExpressionAggregateWParams::Assign(const TastExtender& Source) {
  TSQLExpressionAggregate::Assign(Source);
  if (const auto* Aggregate = dynamic_cast<const TSQLExpressionAggregateWParams*>(&Source))
    if (Aggregate->FParams) FParams = CloneChild(Aggregate->FParams);
}

// --- CASE -------------------------------------------------------------------------------------

bool TSQLCaseFunctionItem::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return RefersTo(FWhen.get(), FromSource) || RefersTo(FThen.get(), FromSource);
}

void TSQLCaseFunctionItem::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.WriteKeyword("WHEN");
  Builder.Space();
  if (FWhen) FWhen->BuildSQL(Builder, MultiLine);
  Builder.Space();
  Builder.WriteKeyword("THEN");
  Builder.Space();
  if (FThen) FThen->BuildSQL(Builder, MultiLine);
}

void TSQLCaseFunctionItem::GetMyChildren(TastChildren& List) const {
  TastNode::GetMyChildren(List);
  AppendChild(List, FWhen);
  AppendChild(List, FThen);
}

void TSQLCaseFunctionItem::Assign(const TastExtender& Source) {
  TastNode::Assign(Source);
  if (const auto* Item = dynamic_cast<const TSQLCaseFunctionItem*>(&Source)) {
    if (Item->FWhen) FWhen = CloneChild(Item->FWhen);
    if (Item->FThen) FThen = CloneChild(Item->FThen);
  }
}

int TSQLExpressionCaseFunction::Add(std::unique_ptr<TSQLCaseFunctionItem> Item) {
  FItems.push_back(std::move(Item));
  return GetCount() - 1;
}

TSQLCaseFunctionItem* TSQLExpressionCaseFunction::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FItems[static_cast<size_t>(Index)].get();
}

bool TSQLExpressionCaseFunction::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  if (FItems.empty()) return RefersTo(FOperand.get(), FromSource);
  for (const auto& Item : FItems)
    if (Item && !Item->ContainsOnlyItemsWithFromSource(FromSource)) return false;
  return true;
}

void TSQLExpressionCaseFunction::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.WriteKeyword("CASE");
  if (FOperand) {
    Builder.Space();
    FOperand->BuildSQL(Builder, MultiLine);
  }
  Builder.Space();
  for (const auto& Item : FItems) {
    if (!Item) continue;
    Item->BuildSQL(Builder, MultiLine);
    Builder.Space();
  }
  if (FElse) {
    Builder.WriteKeyword("ELSE");
    Builder.Space();
    FElse->BuildSQL(Builder, MultiLine);
    Builder.Space();
  }
  Builder.WriteKeyword("END");
}

void TSQLExpressionCaseFunction::GetMyChildren(TastChildren& List) const {
  TSQLExpressionItem::GetMyChildren(List);
  for (const auto& Item : FItems) AppendChild(List, Item);
  AppendChild(List, FOperand);
  AppendChild(List, FElse);
}

void TSQLExpressionCaseFunction::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Case = dynamic_cast<const TSQLExpressionCaseFunction*>(&Source)) {
    FItems = CloneChildren(Case->FItems);
    if (Case->FOperand) FOperand = CloneChild(Case->FOperand);
    if (Case->FElse) FElse = CloneChild(Case->FElse);
  }
}
