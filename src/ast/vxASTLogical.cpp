#include "vxASTLogical.h"

#include "vxASTNodeHelpers.h"
#include "vxASTSelect.h"
#include "vxSQLBuilder.h"

using vx::ast::AppendChild;
using vx::ast::RefersTo;

VX_CLASS_IMPL(TSQLExpressionLogicalOperation, TSQLExpressionOperation)
VX_CLASS_IMPL(TSQLExpressionIs, TSQLExpressionLogicalOperation)
VX_CLASS_IMPL(TSQLExpressionIsNull, TSQLExpressionIs)
VX_CLASS_IMPL(TSQLExpressionIn, TSQLExpressionLogicalOperation)
VX_CLASS_IMPL(TSQLExpressionInSet, TSQLExpressionIn)
VX_CLASS_IMPL(TSQLExpressionInSubQuery, TSQLExpressionIn)
VX_CLASS_IMPL(TSQLExpressionLikeTemplate, TSQLExpressionLogicalOperation)
VX_CLASS_IMPL(TSQLExpressionBetween, TSQLExpressionOperation)
VX_CLASS_IMPL(TSQLExpressionCompWithSet, TSQLExpressionOperator)
VX_CLASS_IMPL(TSQLExpressionCompWithSubQuery, TSQLExpressionCompWithSet)
VX_CLASS_IMPL(TSQLExpressionCompWithSetExpression, TSQLExpressionCompWithSet)
VX_CLASS_IMPL(TSQLExpressionExists, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionOverlaps, TSQLExpressionItem)
VX_CLASS_IMPL(TSQLExpressionNot, TSQLExpressionExpressionItem)
VX_ABSTRACT_CLASS_IMPL(TSQLExpressionLogicalCollection, TSQLExpressionItemsList)
VX_CLASS_IMPL(TSQLExpressionAnd, TSQLExpressionLogicalCollection)
VX_CLASS_IMPL(TSQLExpressionOr, TSQLExpressionLogicalCollection)

namespace {

void BuildOptional(const std::unique_ptr<TSQLExpressionItem>& Expression, TSQLBuilder& Builder, bool MultiLine) {
  if (Expression) Expression->BuildSQL(Builder, MultiLine);
}

template <class T>
void CopyNot(TSQLNegatable& Target, const TastExtender& Source) {
  if (const auto* Negatable = dynamic_cast<const T*>(&Source)) Target.SetNot(Negatable->GetNot());
}

}  // namespace

// --- IS and IN --------------------------------------------------------------------------------

void TSQLExpressionIs::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionLogicalOperation::BuildSQLDirect(Builder, MultiLine);
  Builder.Space();
  Builder.WriteKeyword("IS");
  if (FNot) {
    Builder.Space();
    Builder.WriteKeyword("NOT");
  }
}

void TSQLExpressionIs::Assign(const TastExtender& Source) {
  TSQLExpressionLogicalOperation::Assign(Source);
  CopyNot<TSQLExpressionIs>(*this, Source);
}

void TSQLExpressionIsNull::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionIs::BuildSQLDirect(Builder, MultiLine);
  Builder.Space();
  Builder.WriteKeyword("NULL");
}

void TSQLExpressionIn::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionLogicalOperation::BuildSQLDirect(Builder, MultiLine);
  if (FNot) {
    Builder.Space();
    Builder.WriteKeyword("NOT");
  }
  Builder.Space();
  Builder.WriteKeyword("IN");
}

void TSQLExpressionIn::Assign(const TastExtender& Source) {
  TSQLExpressionLogicalOperation::Assign(Source);
  CopyNot<TSQLExpressionIn>(*this, Source);
}

bool TSQLExpressionInSet::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return TSQLExpressionIn::ContainsOnlyItemsWithFromSource(FromSource) ||
         (FValues && FValues->ContainsOnlyItemsWithFromSource(FromSource));
}

void TSQLExpressionInSet::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionIn::BuildSQLDirect(Builder, MultiLine);
  Builder.Space();
  Builder.WriteSymbol("(");
  if (FValues) FValues->BuildSQL(Builder, MultiLine);
  Builder.WriteSymbol(")");
}

void TSQLExpressionInSet::GetMyChildren(TastChildren& List) const {
  TSQLExpressionIn::GetMyChildren(List);
  AppendChild(List, FValues);
}

void TSQLExpressionInSet::Assign(const TastExtender& Source) {
  TSQLExpressionIn::Assign(Source);
  if (const auto* In = dynamic_cast<const TSQLExpressionInSet*>(&Source))
    if (In->FValues) FValues = CloneChild(In->FValues);
}

TSQLExpressionInSubQuery::TSQLExpressionInSubQuery(TastSyntaxProvider* SyntaxProvider)
    : TSQLExpressionIn(SyntaxProvider) {}

TSQLExpressionInSubQuery::TSQLExpressionInSubQuery(TastSyntaxProvider* SyntaxProvider,
                                                   std::unique_ptr<TSQLExpressionItem> Left)
    : TSQLExpressionIn(SyntaxProvider, std::move(Left)) {}

TSQLExpressionInSubQuery::~TSQLExpressionInSubQuery() = default;

void TSQLExpressionInSubQuery::MoveSubQueryInProxyInternal(TvxObject* Owner,
                                                           TSQLSubSelectStatementProxyClass ProxyClass) {
  MoveSubSelectInProxy(FSyntaxProvider, Owner, ProxyClass, false);
}

void TSQLExpressionInSubQuery::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionIn::BuildSQLDirect(Builder, MultiLine);
  Builder.Space();
  BuildSubSelect(Builder, MultiLine);
}

void TSQLExpressionInSubQuery::GetMyChildren(TastChildren& List) const {
  TSQLExpressionIn::GetMyChildren(List);
  AppendSubSelect(List);
}

void TSQLExpressionInSubQuery::Assign(const TastExtender& Source) {
  TSQLExpressionIn::Assign(Source);
  if (const auto* In = dynamic_cast<const TSQLExpressionInSubQuery*>(&Source))
    if (In->FSubSelect) FSubSelect = CloneChild(In->FSubSelect);
}

// --- LIKE and BETWEEN -------------------------------------------------------------------------

bool TSQLExpressionLikeTemplate::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return TSQLExpressionLogicalOperation::ContainsOnlyItemsWithFromSource(FromSource) ||
         RefersTo(FPattern.get(), FromSource);
}

void TSQLExpressionLikeTemplate::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionLogicalOperation::BuildSQLDirect(Builder, MultiLine);
  if (FNot) {
    Builder.Space();
    Builder.WriteKeyword("Not");
  }
  Builder.Space();
  Builder.WriteKeyword(FOperatorWord);
  Builder.Space();
  BuildOptional(FPattern, Builder, MultiLine);
  if (FEscape) {
    Builder.Space();
    Builder.WriteKeyword("Escape");
    Builder.Space();
    FEscape->BuildSQL(Builder, MultiLine);
  }
}

void TSQLExpressionLikeTemplate::GetMyChildren(TastChildren& List) const {
  TSQLExpressionLogicalOperation::GetMyChildren(List);
  AppendChild(List, FPattern);
  AppendChild(List, FEscape);
}

void TSQLExpressionLikeTemplate::Assign(const TastExtender& Source) {
  TSQLExpressionLogicalOperation::Assign(Source);
  CopyNot<TSQLExpressionLikeTemplate>(*this, Source);
  if (const auto* Like = dynamic_cast<const TSQLExpressionLikeTemplate*>(&Source)) {
    FOperatorWord = Like->FOperatorWord;
    if (Like->FPattern) FPattern = CloneChild(Like->FPattern);
    if (Like->FEscape) FEscape = CloneChild(Like->FEscape);
  }
}

bool TSQLExpressionBetween::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return TSQLExpressionOperation::ContainsOnlyItemsWithFromSource(FromSource) || RefersTo(FLow.get(), FromSource) ||
         RefersTo(FHigh.get(), FromSource);
}

void TSQLExpressionBetween::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionOperation::BuildSQLDirect(Builder, MultiLine);
  if (FNot) {
    Builder.Space();
    Builder.WriteKeyword("Not");
  }
  Builder.Space();
  Builder.WriteKeyword("Between");
  Builder.Space();
  BuildOptional(FLow, Builder, MultiLine);
  Builder.Space();
  Builder.WriteKeyword("And");
  Builder.Space();
  BuildOptional(FHigh, Builder, MultiLine);
}

void TSQLExpressionBetween::GetMyChildren(TastChildren& List) const {
  TSQLExpressionOperation::GetMyChildren(List);
  AppendChild(List, FLow);
  AppendChild(List, FHigh);
}

void TSQLExpressionBetween::Assign(const TastExtender& Source) {
  TSQLExpressionOperation::Assign(Source);
  CopyNot<TSQLExpressionBetween>(*this, Source);
  if (const auto* Between = dynamic_cast<const TSQLExpressionBetween*>(&Source)) {
    if (Between->FLow) FLow = CloneChild(Between->FLow);
    if (Between->FHigh) FHigh = CloneChild(Between->FHigh);
  }
}

// --- comparisons with a set -------------------------------------------------------------------

void TSQLExpressionCompWithSet::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionOperator::BuildSQLDirect(Builder, MultiLine);
  BuildOperator(Builder, MultiLine);
  switch (FQuantifier) {
    case TSQLCompareWithSet::csAll:
      Builder.WriteKeyword("All");
      break;
    case TSQLCompareWithSet::csSome:
      Builder.WriteKeyword("Some");
      break;
    case TSQLCompareWithSet::csAny:
      Builder.WriteKeyword("Any");
      break;
  }
}

void TSQLExpressionCompWithSet::Assign(const TastExtender& Source) {
  TSQLExpressionOperator::Assign(Source);
  if (const auto* Comparison = dynamic_cast<const TSQLExpressionCompWithSet*>(&Source))
    FQuantifier = Comparison->FQuantifier;
}

TSQLExpressionCompWithSubQuery::TSQLExpressionCompWithSubQuery(TastSyntaxProvider* SyntaxProvider)
    : TSQLExpressionCompWithSet(SyntaxProvider) {}

TSQLExpressionCompWithSubQuery::~TSQLExpressionCompWithSubQuery() = default;

void TSQLExpressionCompWithSubQuery::MoveSubQueryInProxyInternal(TvxObject* Owner,
                                                                 TSQLSubSelectStatementProxyClass ProxyClass) {
  MoveSubSelectInProxy(FSyntaxProvider, Owner, ProxyClass, true);
}

void TSQLExpressionCompWithSubQuery::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionCompWithSet::BuildSQLDirect(Builder, MultiLine);
  BuildSubSelect(Builder, MultiLine);
}

void TSQLExpressionCompWithSubQuery::GetMyChildren(TastChildren& List) const {
  TSQLExpressionCompWithSet::GetMyChildren(List);
  AppendSubSelect(List);
}

void TSQLExpressionCompWithSubQuery::Assign(const TastExtender& Source) {
  TSQLExpressionCompWithSet::Assign(Source);
  if (const auto* Comparison = dynamic_cast<const TSQLExpressionCompWithSubQuery*>(&Source))
    if (Comparison->FSubSelect) FSubSelect = CloneChild(Comparison->FSubSelect);
}

bool TSQLExpressionCompWithSetExpression::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return TSQLExpressionCompWithSet::ContainsOnlyItemsWithFromSource(FromSource) ||
         RefersTo(FSetExpression.get(), FromSource);
}

void TSQLExpressionCompWithSetExpression::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLExpressionCompWithSet::BuildSQLDirect(Builder, MultiLine);
  Builder.WriteSymbol("(");
  BuildOptional(FSetExpression, Builder, MultiLine);
  Builder.WriteSymbol(")");
}

void TSQLExpressionCompWithSetExpression::GetMyChildren(TastChildren& List) const {
  TSQLExpressionCompWithSet::GetMyChildren(List);
  AppendChild(List, FSetExpression);
}

void TSQLExpressionCompWithSetExpression::Assign(const TastExtender& Source) {
  TSQLExpressionCompWithSet::Assign(Source);
  if (const auto* Comparison = dynamic_cast<const TSQLExpressionCompWithSetExpression*>(&Source))
    if (Comparison->FSetExpression) FSetExpression = CloneChild(Comparison->FSetExpression);
}

// --- EXISTS and OVERLAPS ----------------------------------------------------------------------

TSQLExpressionExists::TSQLExpressionExists(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}

TSQLExpressionExists::TSQLExpressionExists(TastSyntaxProvider* SyntaxProvider,
                                           std::unique_ptr<TSQLSubSelectStatement> SubSelect)
    : TSQLExpressionItem(SyntaxProvider) {
  FSubSelect = std::move(SubSelect);
}

TSQLExpressionExists::~TSQLExpressionExists() = default;

void TSQLExpressionExists::MoveSubQueryInProxyInternal(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass) {
  MoveSubSelectInProxy(FSyntaxProvider, Owner, ProxyClass, true);
}

void TSQLExpressionExists::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.WriteKeyword("Exists");
  BuildSubSelect(Builder, MultiLine);
}

void TSQLExpressionExists::GetMyChildren(TastChildren& List) const {
  TSQLExpressionItem::GetMyChildren(List);
  AppendSubSelect(List);
}

void TSQLExpressionExists::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Exists = dynamic_cast<const TSQLExpressionExists*>(&Source))
    if (Exists->FSubSelect) FSubSelect = CloneChild(Exists->FSubSelect);
}

bool TSQLExpressionOverlaps::ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const {
  return RefersTo(FLeftStart.get(), FromSource) || RefersTo(FLeftEnd.get(), FromSource) ||
         RefersTo(FRightStart.get(), FromSource) || RefersTo(FRightEnd.get(), FromSource);
}

void TSQLExpressionOverlaps::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  auto Period = [&](const std::unique_ptr<TSQLExpressionItem>& Start, const std::unique_ptr<TSQLExpressionItem>& End) {
    Builder.WriteSymbol("(");
    BuildOptional(Start, Builder, MultiLine);
    Builder.WriteSymbol(",");
    BuildOptional(End, Builder, MultiLine);
    Builder.WriteSymbol(")");
  };
  Period(FLeftStart, FLeftEnd);
  Builder.Space();
  Builder.WriteKeyword("Overlaps");
  Builder.Space();
  Period(FRightStart, FRightEnd);
}

void TSQLExpressionOverlaps::GetMyChildren(TastChildren& List) const {
  TSQLExpressionItem::GetMyChildren(List);
  AppendChild(List, FLeftStart);
  AppendChild(List, FLeftEnd);
  AppendChild(List, FRightStart);
  AppendChild(List, FRightEnd);
}

void TSQLExpressionOverlaps::Assign(const TastExtender& Source) {
  TSQLExpressionItem::Assign(Source);
  if (const auto* Overlaps = dynamic_cast<const TSQLExpressionOverlaps*>(&Source)) {
    if (Overlaps->FLeftStart) FLeftStart = CloneChild(Overlaps->FLeftStart);
    if (Overlaps->FLeftEnd) FLeftEnd = CloneChild(Overlaps->FLeftEnd);
    if (Overlaps->FRightStart) FRightStart = CloneChild(Overlaps->FRightStart);
    if (Overlaps->FRightEnd) FRightEnd = CloneChild(Overlaps->FRightEnd);
  }
}

// --- NOT, AND, OR -----------------------------------------------------------------------------

// NOT binds tighter than AND and OR, so a negated group needs brackets to stay one operand.
void TSQLExpressionNot::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  Builder.WriteKeyword("Not");
  Builder.Space();
  bool Bracketed = dynamic_cast<const TSQLExpressionLogicalCollection*>(FExpression.get()) != nullptr;
  if (Bracketed) Builder.WriteSymbol("(");
  TSQLExpressionExpressionItem::BuildSQLDirect(Builder, MultiLine);
  if (Bracketed) Builder.WriteSymbol(")");
}

void TSQLExpressionLogicalCollection::TakeItemsFrom(TSQLExpressionLogicalCollection& Source, bool Negate) {
  if (GetExtender() != nullptr && Source.GetExtender() != nullptr) GetExtender()->Assign(*Source.GetExtender());
  std::vector<std::unique_ptr<TSQLExpressionItem>> Items = Source.ExtractAll();
  if (Negate)
    for (std::unique_ptr<TSQLExpressionItem>& Item : Items)
      if (Item) Item = NewNode<TSQLExpressionNot>(FSyntaxProvider, std::move(Item));
  AddAll(std::move(Items));
}

void TSQLExpressionLogicalCollection::RemoveLExpression(const TSQLExpressionItem* Expression) {
  // Expression may be a node of this very collection (the one FindExpressionItem yielded),
  // which the first item frees: compare the other items against a copy.
  std::unique_ptr<TSQLExpressionItem> Copy = Expression != nullptr ? Expression->Clone() : nullptr;
  for (auto& Item : FItems)
    if (Item) Item->RemoveLExpression(Copy.get());
}

void TSQLExpressionLogicalCollection::RestoreLExpression(const TSQLExpressionItem* Expression) {
  for (auto& Item : FItems)
    if (Item) Item->RestoreLExpression(Expression);
}

void TSQLExpressionLogicalCollection::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  bool First = true;
  for (const auto& Item : FItems) {
    if (!Item) continue;
    if (!First) {
      Builder.Space();
      WriteLogicalOperator(Builder);
      Builder.Space();
    }
    bool Bracketed = NeedsBrackets(*Item);
    if (Bracketed) Builder.WriteSymbol("(");
    Item->BuildSQL(Builder, MultiLine);
    if (Bracketed) Builder.WriteSymbol(")");
    First = false;
  }
}

std::unique_ptr<TSQLExpressionItem> TSQLExpressionLogicalCollection::FindExpressionItemInternal(
    std::unique_ptr<TSQLExpressionItem> Self, TSQLExpressionItem*& Item) {
  Item = nullptr;
  if (!FItems.empty()) FItems.front() = FindExpressionItem(std::move(FItems.front()), Item);
  return Self;
}

void TSQLExpressionAnd::WriteLogicalOperator(TSQLBuilder& Builder) const { Builder.WriteKeyword("And"); }

// AND binds tighter than OR: an OR inside an AND keeps its meaning only in brackets. Asked of
// every operand written; the class record answers it without a dynamic_cast's walk.
bool TSQLExpressionAnd::NeedsBrackets(const TSQLExpressionItem& Item) const {
  return Item.InheritsFrom(TSQLExpressionOr::StaticClass());
}

void TSQLExpressionOr::WriteLogicalOperator(TSQLBuilder& Builder) const { Builder.WriteKeyword("Or"); }
