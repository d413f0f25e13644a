#include "vxASTFrom.h"

#include "vxASTNodeHelpers.h"
#include "vxASTOneLine.h"
#include "vxASTSelect.h"
#include "vxSQLBuilder.h"
#include "vxSyntaxProvider.h"

VX_CLASS_IMPL(TSQLJoinKind, TastNode)
VX_CLASS_IMPL(TSQLJoinKindCross, TSQLJoinKind)
VX_CLASS_IMPL(TSQLJoinKindInner, TSQLJoinKind)
VX_CLASS_IMPL(TSQLJoinKindOuter, TSQLJoinKind)
VX_CLASS_IMPL(TSQLJoinKindLeft, TSQLJoinKindOuter)
VX_CLASS_IMPL(TSQLJoinKindRight, TSQLJoinKindOuter)
VX_CLASS_IMPL(TSQLJoinKindFull, TSQLJoinKindOuter)
VX_ABSTRACT_CLASS_IMPL(TSQLFromSource, TastNode)
VX_CLASS_IMPL(TSQLFromObject, TSQLFromSource)
VX_CLASS_IMPL(TSQLFromQuery, TSQLFromSource)
VX_CLASS_IMPL(TSQLFromFunction, TSQLFromSource)
VX_CLASS_IMPL(TSQLFromBuiltInFunction, TSQLFromFunction)
VX_CLASS_IMPL(TSQLFromVariable, TSQLFromSource)
VX_CLASS_IMPL(TSQLFromItem, TSQLFromSource)
VX_CLASS_IMPL(TSQLFromClause, TSQLFromItem)

// --- join kinds --------------------------------------------------------------------------------

void TSQLJoinKind::BuildJoinWords(TSQLBuilder& Builder, std::string_view Word, bool OuterWord) {
  Builder.Space();
  Builder.WriteKeyword(Word);
  if (OuterWord) {
    Builder.Space();
    Builder.WriteKeyword("OUTER");
  }
  Builder.Space();
  Builder.WriteKeyword("JOIN");
}

void TSQLJoinKindCross::BuildSQLDirect(TSQLBuilder& Builder, bool) const { BuildJoinWords(Builder, "CROSS", false); }

void TSQLJoinKindInner::BuildSQLDirect(TSQLBuilder& Builder, bool) const { BuildJoinWords(Builder, "INNER", false); }

void TSQLJoinKindOuter::BuildSQLDirect(TSQLBuilder& Builder, bool) const {
  std::string_view Side = GetSideWord();
  if (!Side.empty()) BuildJoinWords(Builder, Side, FOuterWord);
}

void TSQLJoinKindOuter::Assign(const TastExtender& Source) {
  TSQLJoinKind::Assign(Source);
  if (const auto* Outer = dynamic_cast<const TSQLJoinKindOuter*>(&Source)) FOuterWord = Outer->FOuterWord;
}

// --- TSQLFromSource ----------------------------------------------------------------------------

const TvxStringList& TSQLFromSource::GetFieldsList() const {
  static const TvxStringList None;
  return FFieldsList ? *FFieldsList : None;
}

TvxStringList& TSQLFromSource::EditFieldsList() {
  if (!FFieldsList) FFieldsList = std::make_unique<TvxStringList>();
  return *FFieldsList;
}

void TSQLFromSource::RefreshFieldsList(TastFieldsProvider* MetadataProvider) {
  EditFieldsList().Clear();
  if (MetadataProvider != nullptr) MetadataProvider->GetFields("select * from " + GetSimpleSQL(), EditFieldsList());
}

std::string TSQLFromSource::GetSimpleExpression() const {
  return vx::OneLineText([this](TSQLBuilder& Builder) { BuildExpression(Builder, false); });
}

void TSQLFromSource::BuildJoinOperator(TSQLBuilder& Builder, bool MultiLine) const {
  if (FJoinKind) {
    FJoinKind->BuildSQL(Builder, MultiLine);
  } else {
    Builder.WriteSymbol(",");
    Builder.Space();
  }
}

void TSQLFromSource::BuildAlias(TSQLBuilder& Builder, bool MultiLine) const {
  if (!FAlias) return;
  Builder.Space();
  FAlias->BuildSQL(Builder, MultiLine);
}

void TSQLFromSource::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  BuildExpression(Builder, MultiLine);
  BuildAlias(Builder, MultiLine);
}

void TSQLFromSource::GetMyChildren(TastChildren& List) const {
  TastNode::GetMyChildren(List);
  if (FJoinCondition) List.push_back(FJoinCondition.get());
  if (FAlias) List.push_back(FAlias.get());
}

void TSQLFromSource::Assign(const TastExtender& Source) {
  TastNode::Assign(Source);
  const auto* From = dynamic_cast<const TSQLFromSource*>(&Source);
  if (From == nullptr) return;
  if (From->FFieldsList) EditFieldsList() = *From->FFieldsList;
  FJoinKind = From->FJoinKind;
  if (From->FJoinCondition) FJoinCondition = CloneChild(From->FJoinCondition);
  if (From->FAlias) FAlias = CloneChild(From->FAlias);
}

void TSQLFromSource::RefreshFieldsListRecursive(TastFieldsProvider* MetadataProvider) {
  // A derived table's inner sources come first: they may be needed to describe it.
  TastNode::RefreshFieldsListRecursive(MetadataProvider);
  RefreshFieldsList(MetadataProvider);
}

// --- TSQLFromObject ----------------------------------------------------------------------------

void TSQLFromObject::BuildExpression(TSQLBuilder& Builder, bool) const {
  if (FObject) FObject->BuildFullName(Builder);
}

void TSQLFromObject::GetMyChildren(TastChildren& List) const {
  TSQLFromSource::GetMyChildren(List);
  if (FObject) List.push_back(FObject.get());
}

void TSQLFromObject::Assign(const TastExtender& Source) {
  TSQLFromSource::Assign(Source);
  if (const auto* From = dynamic_cast<const TSQLFromObject*>(&Source))
    if (From->FObject) FObject = CloneChild(From->FObject);
}

// --- TSQLFromQuery -----------------------------------------------------------------------------

TSQLFromQuery::TSQLFromQuery(TastSyntaxProvider* SyntaxProvider) : TSQLFromSource(SyntaxProvider) {}
TSQLFromQuery::~TSQLFromQuery() = default;

void TSQLFromQuery::SetSubSelect(std::unique_ptr<TSQLSubSelectStatement> SubSelect) {
  FSubSelect = std::move(SubSelect);
}

std::unique_ptr<TSQLSubSelectStatement> TSQLFromQuery::ExtractSubSelect() { return std::move(FSubSelect); }

bool TSQLFromQuery::IsSubSelectUsable() const { return FSubSelect && FSubSelect->IsUsable(); }

void TSQLFromQuery::RefreshFieldsList(TastFieldsProvider* MetadataProvider) {
  EditFieldsList().Clear();
  if (MetadataProvider == nullptr) return;
  // Everything is swallowed, the usability check included (a proxy builds its model's tree
  // for it): a derived table is described while the user is still typing its query, and a
  // failure to describe it must not stop the rest of the statement from loading.
  try {
    if (!IsSubSelectUsable()) return;
    std::string SQL = "select * from (" + GetSimpleExpression() + ") " +
                      vx::OneLineText([this](TSQLBuilder& Builder) { BuildAlias(Builder, false); });
    MetadataProvider->GetFields(SQL, EditFieldsList());
  } catch (...) {
  }
}

void TSQLFromQuery::BuildExpression(TSQLBuilder& Builder, bool) const {
  Builder.WriteSymbol("(");
  if (FSubSelect) FSubSelect->BuildSQL(Builder, false);
  Builder.WriteSymbol(")");
}

void TSQLFromQuery::BuildAlias(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLFromSource::BuildAlias(Builder, MultiLine);
  if (FColumnNames.IsEmpty()) return;
  Builder.Space();
  Builder.WriteSymbol("(");
  for (int I = 0; I < FColumnNames.Count(); ++I) {
    if (I > 0) {
      Builder.WriteSymbol(",");
      Builder.Space();
    }
    Builder.WriteIdentifier(FColumnNames[I], FSyntaxProvider);
  }
  Builder.WriteSymbol(")");
}

void TSQLFromQuery::GetMyChildren(TastChildren& List) const {
  TSQLFromSource::GetMyChildren(List);
  if (FSubSelect) List.push_back(FSubSelect.get());
}

void TSQLFromQuery::Assign(const TastExtender& Source) {
  TSQLFromSource::Assign(Source);
  const auto* From = dynamic_cast<const TSQLFromQuery*>(&Source);
  if (From == nullptr) return;
  FColumnNames = From->FColumnNames;
  if (From->FSubSelect) FSubSelect = CloneChild(From->FSubSelect);
}

void TSQLFromQuery::MoveSubQueryInProxyInternal(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass) {
  // A proxy already stands for a sub-query that the model owns; wrapping it again would hand
  // the model its own tree.
  if (!FSubSelect || ProxyClass == nullptr || dynamic_cast<TSQLSubSelectStatementProxy*>(FSubSelect.get())) return;
  FSubSelect = ProxyClass(FSyntaxProvider, Owner, std::move(FSubSelect));
}

// --- table functions and variables -------------------------------------------------------------

void TSQLFromFunction::BuildExpression(TSQLBuilder& Builder, bool MultiLine) const {
  if (FFunction) FFunction->BuildSQL(Builder, MultiLine);
}

void TSQLFromFunction::GetMyChildren(TastChildren& List) const {
  TSQLFromSource::GetMyChildren(List);
  if (FFunction) List.push_back(FFunction.get());
}

void TSQLFromFunction::Assign(const TastExtender& Source) {
  TSQLFromSource::Assign(Source);
  if (const auto* From = dynamic_cast<const TSQLFromFunction*>(&Source))
    if (From->FFunction) FFunction = CloneChild(From->FFunction);
}

void TSQLFromVariable::BuildExpression(TSQLBuilder& Builder, bool) const {
  Builder.WriteIdentifier(FName, FSyntaxProvider);
}

void TSQLFromVariable::Assign(const TastExtender& Source) {
  TSQLFromSource::Assign(Source);
  if (const auto* From = dynamic_cast<const TSQLFromVariable*>(&Source)) FName = From->FName;
}

// --- TSQLFromItem ------------------------------------------------------------------------------

void TSQLFromItem::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EvxListError::IndexOutOfBounds(Index);
}

int TSQLFromItem::Add(std::unique_ptr<TSQLFromSource> Source) {
  return vx::ast::AppendOwned(FItems, std::move(Source));
}

void TSQLFromItem::Insert(int Index, std::unique_ptr<TSQLFromSource> Source) {
  if (Index < 0 || Index > GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  FItems.insert(FItems.begin() + Index, std::move(Source));
}

void TSQLFromItem::Delete(int Index) {
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
}

int TSQLFromItem::IndexOf(const TSQLFromSource* Source) const {
  for (int I = 0; I < GetCount(); ++I)
    if (FItems[static_cast<size_t>(I)].get() == Source) return I;
  return -1;
}

std::unique_ptr<TSQLFromSource> TSQLFromItem::Extract(const TSQLFromSource* Source) {
  int Index = IndexOf(Source);
  return Index >= 0 ? Extract(Index) : nullptr;
}

std::unique_ptr<TSQLFromSource> TSQLFromItem::Extract(int Index) {
  CheckIndex(Index);
  std::unique_ptr<TSQLFromSource> Source = std::move(FItems[static_cast<size_t>(Index)]);
  FItems.erase(FItems.begin() + Index);
  return Source;
}

TSQLFromSource* TSQLFromItem::GetItem(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].get();
}

void TSQLFromItem::GetLeafSources(TSQLFromSourceList& List) const {
  for (const auto& Item : FItems) {
    if (!Item) continue;
    if (const auto* Group = dynamic_cast<const TSQLFromItem*>(Item.get()))
      Group->GetLeafSources(List);
    else
      List.push_back(Item.get());
  }
}

bool TSQLFromItem::HasLeafSource() const {
  for (const auto& Item : FItems) {
    if (!Item) continue;
    const auto* Group = dynamic_cast<const TSQLFromItem*>(Item.get());
    if (Group == nullptr || Group->HasLeafSource()) return true;
  }
  return false;
}

void TSQLFromItem::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  bool First = true;
  for (const auto& Item : FItems) {
    if (!Item) continue;
    if (!First) {
      // The forced space indents every joined source by one on its new line.
      Item->BuildJoinOperator(Builder, MultiLine);
      Builder.NewLineOrSpace(MultiLine);
      Builder.SpaceForce();
    }
    First = false;
    // The class record answers without the cost of a dynamic_cast, once per source written.
    const bool IsGroup = Item->InheritsFrom(TSQLFromItem::StaticClass());
    if (IsGroup) Builder.WriteSymbol("(");
    Item->BuildSQL(Builder, MultiLine);
    if (IsGroup) Builder.WriteSymbol(")");
    if (const TSQLExpressionItem* Condition = Item->GetJoinCondition()) {
      Builder.Space();
      Builder.WriteKeyword("ON");
      Builder.Space();
      Condition->BuildSQL(Builder, MultiLine);
    }
  }
}

void TSQLFromItem::BuildExpression(TSQLBuilder& Builder, bool MultiLine) const { BuildSQL(Builder, MultiLine); }

void TSQLFromItem::GetMyChildren(TastChildren& List) const {
  TSQLFromSource::GetMyChildren(List);
  for (const auto& Item : FItems)
    if (Item) List.push_back(Item.get());
}

void TSQLFromItem::Assign(const TastExtender& Source) {
  TSQLFromSource::Assign(Source);
  if (const auto* From = dynamic_cast<const TSQLFromItem*>(&Source)) FItems = CloneChildren(From->FItems);
}

void TSQLFromItem::RefreshFieldsListRecursive(TastFieldsProvider* MetadataProvider) {
  TastNode::RefreshFieldsListRecursive(MetadataProvider);
}
